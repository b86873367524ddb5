#include "FakeHost.h"

#include "storage/StorePaths.h"
#include "storage/UserStore.h"
#include "utils/Utf.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Portico;
using namespace Portico::Test;

namespace {

ServerRecord Favourite(uint32_t ip, uint16_t port, uint16_t game, const std::u16string& name,
                       uint8_t needPass = 0) {
    ServerRecord record{};
    record.ip = ip;
    record.port = port;
    record.gameId = game;
    Utils::Utf::CopyToField(record.info.name, 128, name);
    record.info.needPass = needPass;
    record.info.players = 9; // not stored
    return record;
}

std::vector<std::u16string> Names(const std::vector<ServerRecord>& records) {
    std::vector<std::u16string> names;
    for (const ServerRecord& record : records)
        names.push_back(record.info.name);
    return names;
}

struct Loaded {
    std::vector<ServerRecord> favourites;
    bool inFavourites;
    uint32_t filter;
};

class UserStoreTest : public ::testing::Test {
protected:
    // Loads a fresh store object, starting from the caller's settings.
    Loaded Reload(bool inFavourites = false, uint32_t filter = 0) {
        UserStore store(host);
        EXPECT_TRUE(store.LoadUserStore(inFavourites, filter));
        return {store.GetFavourites().Snapshot(), inFavourites, filter};
    }

    // Saves the records with the settings through a store that was loaded first.
    bool Save(std::vector<ServerRecord> records, bool inFavourites = false, uint32_t filter = 0) {
        UserStore store(host);
        bool ignoredFlag = false;
        uint32_t ignoredFilter = 0;
        EXPECT_TRUE(store.LoadUserStore(ignoredFlag, ignoredFilter));
        for (ServerRecord& record : records)
            store.GetFavourites().AddFavourite(record);
        return store.SaveUserStore(inFavourites, filter);
    }

    void StoreSetting(const char* key, const char* value) {
        const std::string sql =
            std::string("REPLACE INTO Config (key, value) VALUES ('") + key + "', '" + value + "')";
        ASSERT_TRUE(MakeDatabaseFile(host.StoreFile(), {sql.c_str()}));
    }

    FakeHost host;
};

} // namespace

TEST_F(UserStoreTest, LivesInTheAccountsFolder) {
    const std::u16string separator(1, std::filesystem::path::preferred_separator);
    EXPECT_EQ(UserStoreFilePath(host),
              host.HostFolder() + u"user" + separator + u"4242" + separator + u"fps.dat");
}

TEST_F(UserStoreTest, FavouritesRoundTripWithQuotesAndAnyCharacters) {
    const std::vector<ServerRecord> saved = {
        Favourite(0xC0A80001, 27015, 1003, u"Joe's \"best\" server", 1),
        Favourite(0x7F000001, 28960, 1028, u"Ünïcødé \U0001F600 ''"),
        Favourite(0xFFFFFFFF, 65535, 7, u"")};
    ASSERT_TRUE(Save(saved, true, 8));
    const Loaded loaded = Reload();
    EXPECT_TRUE(loaded.inFavourites);
    EXPECT_EQ(loaded.filter, 8u);
    const std::vector<ServerRecord>& records = loaded.favourites;
    ASSERT_EQ(records.size(), 3u); // in address order
    EXPECT_EQ(records[0].Address(), saved[1].Address());
    EXPECT_EQ(records[1].Address(), saved[0].Address());
    EXPECT_EQ(records[2].Address(), saved[2].Address());
    EXPECT_EQ(Names(records), (std::vector<std::u16string>{u"Ünïcødé \U0001F600 ''",
                                                           u"Joe's \"best\" server", u""}));
    EXPECT_EQ(records[1].info.needPass, 1);
    for (const ServerRecord& record : records) {
        EXPECT_EQ(record.status, 0); // only address, name and password flag are stored
        EXPECT_EQ(record.direct, 0);
        EXPECT_EQ(record.info.players, 0);
    }
}

TEST_F(UserStoreTest, OneRowPerAddressAndPort) {
    ASSERT_TRUE(Save({Favourite(0x0A000001, 27015, 1, u"first game"),
                      Favourite(0x0A000001, 27015, 2, u"second game")}));
    const std::vector<ServerRecord> loaded = Reload().favourites;
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].gameId, 2); // written last
}

TEST_F(UserStoreTest, SettingsAreNormalisedAndAbsentOnesKeepTheCallersValues) {
    ASSERT_TRUE(Save({}, false, 0)); // makes the store, then drop the settings
    ASSERT_TRUE(MakeDatabaseFile(host.StoreFile(), {"DELETE FROM Config"}));
    Loaded loaded = Reload(true, 0x1230);
    EXPECT_TRUE(loaded.inFavourites);
    EXPECT_EQ(loaded.filter, 0x10u); // the caller's value, normalised

    StoreSetting("infav", "2");
    // Lowest region bit, the joined regions, a country code, a country with a region bit.
    const std::pair<const char*, uint32_t> filters[] = {
        {"40", 8}, {"128", 192}, {"4456448", 4456448}, {"4456450", 2}};
    for (const auto& stored : filters) {
        StoreSetting("filter", stored.first);
        loaded = Reload(false, 77);
        EXPECT_TRUE(loaded.inFavourites);
        EXPECT_EQ(loaded.filter, stored.second) << stored.first;
    }
    StoreSetting("infav", "0");
    EXPECT_FALSE(Reload(true).inFavourites);
}

TEST_F(UserStoreTest, LongStoredNamesAreCutToTheRecordsField) {
    ASSERT_TRUE(Save({}));
    std::string longName(200, 'n');
    std::string pairAtTheEdge(126, 'p');
    pairAtTheEdge += "\xF0\x9F\x98\x80tail"; // units 126 and 127 are one pair
    const std::string insert = "INSERT INTO FavTab VALUES (1, 1, 1, '" + longName +
                               "', 0), (1, 2, 2, '" + pairAtTheEdge + "', 0)";
    ASSERT_TRUE(MakeDatabaseFile(host.StoreFile(), {insert.c_str()}));
    EXPECT_EQ(Names(Reload().favourites),
              (std::vector<std::u16string>{std::u16string(127, u'n'), std::u16string(126, u'p')}));
}

TEST_F(UserStoreTest, LoadWithoutAStoreChangesNothingAndSaveWithoutLoadWritesNothing) {
    std::filesystem::remove_all(host.Folder() / "user"); // the host's folder is not created
    UserStore store(host);
    ServerRecord mine = Favourite(5, 5, 5, u"mine");
    store.GetFavourites().AddFavourite(mine);
    bool inFavourites = true;
    uint32_t filter = 40;
    EXPECT_FALSE(store.LoadUserStore(inFavourites, filter));
    EXPECT_TRUE(inFavourites);
    EXPECT_EQ(filter, 40u);
    EXPECT_EQ(store.GetFavourites().Snapshot().size(), 1u);
    EXPECT_FALSE(store.SaveUserStore(false, 0));
    EXPECT_FALSE(std::filesystem::exists(host.UserFolder()));
}
