#include "FakeHost.h"

#include "storage/DatabaseSqlite.h"
#include "storage/GameCatalogue.h"
#include "storage/StorePaths.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Portico;
using namespace Portico::Test;

namespace {

class GameCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakeDatabaseFile(
            host.HostFile("Gameen.dat"),
            {"CREATE TABLE PorticoTab (GameId INTEGER, OrderId INTEGER)",
             "CREATE TABLE GameTab (GameId INTEGER, Icon INTEGER, Name TEXT)",
             "CREATE TABLE AreaTab (AreaId INTEGER, ParentId INTEGER)",
             "INSERT INTO PorticoTab VALUES (9, 30), (5, 10), (3, 20)",
             "INSERT INTO GameTab VALUES (5, 2, 'Fünf ''Arena'''), (9, 7, 'Nine'), (4, 1, 'Other')",
             "INSERT INTO AreaTab VALUES (12, 4), (4, 1), (1, 0), (7, 0), (20, 21), (21, 20), "
             "(30, 30), (40, 99)"}));
    }

    bool Top(uint32_t area, uint32_t& top) {
        Utils::DatabaseSqlite database;
        GameCatalogue catalogue(database);
        return catalogue.Open(CatalogueFilePath(host)) && catalogue.TopLevelArea(area, top);
    }

    FakeHost host;
};

} // namespace

TEST_F(GameCatalogueTest, ChoosesTheLanguageFileOrFallsBackToEnglish) {
    const std::u16string folder = host.HostFolder();
    host.language = u"de";
    EXPECT_EQ(CatalogueFilePath(host), folder + u"Gameen.dat");
    ASSERT_TRUE(MakeDatabaseFile(host.HostFile("Gamede.dat"), {"CREATE TABLE x (y)"}));
    EXPECT_EQ(CatalogueFilePath(host), folder + u"Gamede.dat");
}

TEST_F(GameCatalogueTest, ReadsSupportedGamesInOrderSkippingThoseWithoutARow) {
    Utils::DatabaseSqlite database;
    GameCatalogue catalogue(database);
    ASSERT_TRUE(catalogue.Open(CatalogueFilePath(host)));
    const std::vector<CatalogueGame> games = catalogue.ReadGames();
    ASSERT_EQ(games.size(), 2u); // 5 and 9 by OrderId; 3 has no GameTab row
    EXPECT_EQ(games[0].gameId, 5u);
    EXPECT_EQ(games[0].name, u"Fünf 'Arena'");
    EXPECT_EQ(games[0].icon, 2);
    EXPECT_EQ(games[1].gameId, 9u);
    EXPECT_EQ(games[1].name, u"Nine");
    EXPECT_EQ(games[1].icon, 7);
}

TEST_F(GameCatalogueTest, MissingFilesGiveAnEmptyCatalogue) {
    std::filesystem::remove(host.HostFile("Gameen.dat"));
    Utils::DatabaseSqlite database;
    GameCatalogue catalogue(database);
    ASSERT_TRUE(catalogue.Open(CatalogueFilePath(host))); // SQLite makes an empty file
    EXPECT_TRUE(catalogue.ReadGames().empty());
    uint32_t top = 77;
    EXPECT_FALSE(catalogue.TopLevelArea(1, top));
    EXPECT_EQ(top, 77u);
}

// Missing areas and cycles end the walk as a failure.
TEST_F(GameCatalogueTest, WalksUpToTheTopLevelArea) {
    const struct {
        uint32_t area;
        uint32_t top;      // 0: none
    } cases[] = {{7, 7},   // parent 0: its own top-level area
                 {12, 1},  // 12 -> 4 -> 1 -> 0
                 {55, 0},  // no row
                 {40, 0},  // parent 99 has no row
                 {20, 0},  // 20 -> 21 -> 20
                 {30, 0}}; // its own parent
    for (const auto& c : cases) {
        uint32_t top = 0;
        EXPECT_EQ(Top(c.area, top), c.top != 0) << c.area;
        EXPECT_EQ(top, c.top) << c.area;
    }
}
