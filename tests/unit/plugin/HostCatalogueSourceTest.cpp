#include "FakeHost.h"

#include "plugin/HostCatalogueSource.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

constexpr char kTables[] = "CREATE TABLE GameTab (GameId INTEGER, Icon INTEGER, Name TEXT);"
                           "CREATE TABLE PorticoTab (GameId INTEGER, OrderId INTEGER);";

TEST(HostCatalogueSource, ReadsTheLocalisedFileInOrder) {
    Portico::Test::FakeHost host;
    host.language = u"de";
    ASSERT_TRUE(Portico::Test::MakeDatabaseFile(
        host.HostFile("Gamede.dat"),
        {kTables, "INSERT INTO GameTab VALUES (5, 2, 'F\xC3\xBCnf'), (9, 0, 'Nine');",
         "INSERT INTO PorticoTab VALUES (9, 2), (5, 1), (3, 0);"}));
    HostCatalogueSource source(host);
    std::vector<CatalogueGame> games;
    ASSERT_TRUE(source.ReadGames(games));
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].gameId, 5u);
    EXPECT_EQ(games[0].name, u"F\u00fcnf");
    EXPECT_EQ(games[0].icon, 2);
    EXPECT_EQ(games[1].gameId, 9u);
}

TEST(HostCatalogueSource, FallsBackToEnglishAndEmptyListIsStillRead) {
    Portico::Test::FakeHost host;
    host.language = u"xx";
    ASSERT_TRUE(Portico::Test::MakeDatabaseFile(host.HostFile("Gameen.dat"), {kTables}));
    HostCatalogueSource source(host);
    std::vector<CatalogueGame> games{{1, u"stale", 0}};
    EXPECT_TRUE(source.ReadGames(games));
    EXPECT_TRUE(games.empty());
}

} // namespace
} // namespace Portico
