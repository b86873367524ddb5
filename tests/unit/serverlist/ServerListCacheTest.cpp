#include "FakeHost.h"
#include "LoopbackHttpServer.h"
#include "ScriptedDatabase.h"
#include "ServerListTestData.h"

#include "serverlist/ServerListCache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace Portico;
using namespace Portico::Test;

namespace {

const char* const kOld = "Sun, 06 Nov 1994 08:49:37 GMT";
const char* const kNew = "Mon, 07 Nov 1994 08:49:37 GMT";
const char* const kNewer = "Tue, 08 Nov 1994 08:49:37 GMT";
constexpr uint32_t kGame = 1003;

class ServerListCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Started());
        ASSERT_TRUE(MakeDatabaseFile(host.HostFile("Gameen.dat"),
                                     {"CREATE TABLE AreaTab (AreaId INTEGER, ParentId INTEGER)",
                                      "INSERT INTO AreaTab VALUES (12, 4), (4, 0), (7, 0), (8, 9), "
                                      "(9, 8)"}));
        host.room.gameId = kGame;
        host.room.areaId = 12;
        listHost.name = u"127.0.0.1";
        listHost.port = server.Port();
    }

    // A cache as the plug-in makes it after a start, on the scripted databases.
    std::unique_ptr<ServerListCache> NewCache() {
        return std::make_unique<ServerListCache>(
            host, listHost, [this] { return std::make_unique<ScriptedDatabase>(script); });
    }

    void Publish(const std::string& path, const std::vector<ServerAddress>& servers,
                 const char* time) {
        server.Serve(path, FileReply(AsText(Pack(servers)), time));
    }

    // The Last-Modified time stored for the area, as an HTTP date's seconds.
    int64_t StoredTime(uint32_t area) {
        return QueryInt(host.StoreFile(),
                        "SELECT lastmod FROM FslRegion WHERE areaid = " + std::to_string(area));
    }
    int OpenedStores() {
        int n = 0;
        for (const std::string& file : script.Opened())
            n += file == host.StoreFile() ? 1 : 0;
        return n;
    }
    std::vector<ServerAddress> StoredRows(uint32_t area) {
        Utils::DatabaseSqlite database;
        std::vector<ServerAddress> rows;
        if (!database.Open(host.StoreFile().c_str()))
            return rows;
        auto result = database.Query(
            ("SELECT ip, port FROM Fsl WHERE areaid = " + std::to_string(area) + " ORDER BY rowid")
                .c_str());
        for (size_t row = 0; result && row < result->RowCount(); ++row)
            rows.push_back(ServerAddress{uint32_t(result->CellAt(row, 0).AsInt()),
                                         uint16_t(result->CellAt(row, 1).AsInt()), 0});
        return rows;
    }

    FakeHost host;
    LoopbackHttpServer server;
    ServerListHost listHost;
    DatabaseScript script;
    const std::vector<ServerAddress> listA = ManyServers(50, 10);
    const std::vector<ServerAddress> listB = ManyServers(70, 20);
};

} // namespace

TEST_F(ServerListCacheTest, FetchesTheTopLevelAreasListAndStoresIt) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    auto cache = NewCache();
    EXPECT_TRUE(cache->CurrentServers().empty());
    EXPECT_EQ(cache->FetchRoomServers(), listA); // area 12 -> 4 -> 0
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/fsl/1003_4.fsl"});
    EXPECT_EQ(cache->CurrentServers(), listA);
    EXPECT_EQ(StoredRows(4), listA);
    EXPECT_EQ(StoredTime(4), HttpSeconds(kOld));
}

TEST_F(ServerListCacheTest, SameTimeAgainInOneProcessReadsNoBodyAndOpensNoStore) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    auto cache = NewCache();
    ASSERT_EQ(cache->FetchRoomServers(), listA);
    ASSERT_EQ(OpenedStores(), 1);
    server.Serve("/fsl/1003_4.fsl", FileReply("not a list at all", kOld));
    EXPECT_EQ(cache->FetchRoomServers(), listA);
    EXPECT_EQ(OpenedStores(), 1);
    EXPECT_EQ(server.Requests().size(), 2u); // the time is asked every time
    Publish("/fsl/1003_4.fsl", listB, kOld); // an older time than the one kept is not newer
    host.room.areaId = 4;
    EXPECT_EQ(cache->FetchRoomServers(), listA);
}

TEST_F(ServerListCacheTest, RestartWithAnUnchangedFileTakesTheStoresRows) {
    Publish("/fsl/1003_4.fsl", listA, kNew);
    ASSERT_EQ(NewCache()->FetchRoomServers(), listA);
    server.Serve("/fsl/1003_4.fsl", FileReply("not a list at all", kNew));
    auto restarted = NewCache();
    EXPECT_EQ(restarted->FetchRoomServers(), listA); // from Fsl, no body read
    EXPECT_EQ(restarted->CurrentServers(), listA);
    server.Serve("/fsl/1003_4.fsl", FileReply("not a list at all", kOld));
    EXPECT_EQ(NewCache()->FetchRoomServers(), listA); // older on the server: still the store's
}

TEST_F(ServerListCacheTest, ANewerFileReplacesTheRows) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    auto cache = NewCache();
    ASSERT_EQ(cache->FetchRoomServers(), listA);
    Publish("/fsl/1003_4.fsl", listB, kNew);
    EXPECT_EQ(cache->FetchRoomServers(), listB); // newer than memory
    EXPECT_EQ(StoredRows(4), listB);
    EXPECT_EQ(StoredTime(4), HttpSeconds(kNew));

    Publish("/fsl/1003_4.fsl", listA, kNewer);
    EXPECT_EQ(NewCache()->FetchRoomServers(), listA); // newer than the store after a restart
    EXPECT_EQ(StoredRows(4), listA);
}

TEST_F(ServerListCacheTest, AnEmptyListDeletesTheRows) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    auto cache = NewCache();
    ASSERT_EQ(cache->FetchRoomServers(), listA);
    Publish("/fsl/1003_4.fsl", {}, kNew);
    EXPECT_TRUE(cache->FetchRoomServers().empty());
    EXPECT_TRUE(StoredRows(4).empty());
    EXPECT_EQ(StoredTime(4), HttpSeconds(kNew));
}

TEST_F(ServerListCacheTest, AServerInTwoAreasKeepsOneRowUnderTheLastWritten) {
    const ServerAddress shared = Server(10, 9, 9, 9, 27015);
    std::vector<ServerAddress> four = listA;
    four.push_back(shared);
    std::vector<ServerAddress> seven = listB;
    seven.insert(seven.begin(), shared);
    Publish("/fsl/1003_4.fsl", four, kOld);
    Publish("/fsl/1003_7.fsl", seven, kOld);
    auto cache = NewCache();
    ASSERT_EQ(cache->FetchRoomServers(), four);
    host.room.areaId = 7;
    ASSERT_EQ(cache->FetchRoomServers(), seven);
    EXPECT_EQ(StoredRows(4), listA); // the shared row moved to area 7
    EXPECT_EQ(StoredRows(7), seven);
    host.room.areaId = 12;
    EXPECT_EQ(cache->FetchRoomServers(), four); // memory keeps it in both
}

TEST_F(ServerListCacheTest, EveryFailureGivesTheEmptyListAndLeavesTheStore) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    auto cache = NewCache();
    ASSERT_EQ(cache->FetchRoomServers(), listA);

    // A body that does not decode, then a refused request; the kinds of refusal are the
    // request's and the file reader's to tell apart.
    HttpReply notModified = FileReply("", kNew);
    notModified.status = 304;
    notModified.sendLength = false;
    for (const HttpReply& reply : {FileReply("not a list", kNew), notModified}) {
        server.Serve("/fsl/1003_4.fsl", reply);
        EXPECT_TRUE(cache->FetchRoomServers().empty()) << reply.status;
    }
    EXPECT_TRUE(cache->CurrentServers().empty()); // the last fetch reached no area
    EXPECT_EQ(StoredRows(4), listA);
    EXPECT_EQ(StoredTime(4), HttpSeconds(kOld));

    const size_t requests = server.Requests().size();
    host.room.areaId = 8; // in a cycle: the catalogue finds no top-level area
    EXPECT_TRUE(cache->FetchRoomServers().empty());
    host.inRoom = false;
    EXPECT_TRUE(cache->FetchRoomServers().empty());
    EXPECT_EQ(server.Requests().size(), requests); // nothing was asked
}

TEST_F(ServerListCacheTest, NoStoreOrNoCatalogueGivesTheEmptyList) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    std::filesystem::remove_all(host.Folder() / "user");
    EXPECT_TRUE(NewCache()->FetchRoomServers().empty());
    std::filesystem::create_directories(host.UserFolder());
    std::filesystem::remove(host.HostFile("Gameen.dat"));
    EXPECT_TRUE(NewCache()->FetchRoomServers().empty());
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(ServerListCacheTest, AnInterruptedWriteKeepsTheOldListAndTime) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    ASSERT_EQ(NewCache()->FetchRoomServers(), listA);
    Publish("/fsl/1003_4.fsl", listB, kNew);

    // A row that cannot be written.
    script.failAt = "REPLACE INTO Fsl (";
    script.failFrom = 10;
    auto cache = NewCache();
    EXPECT_EQ(cache->FetchRoomServers(), listB); // the list itself is good
    EXPECT_EQ(StoredTime(4), HttpSeconds(kOld));
    EXPECT_EQ(StoredRows(4), listA);

    // The next start downloads again and this time stores it.
    script.failAt.clear();
    EXPECT_EQ(NewCache()->FetchRoomServers(), listB);
    EXPECT_EQ(StoredRows(4), listB);
}

TEST_F(ServerListCacheTest, OverlappingFetchesRunOneAfterTheOther) {
    Publish("/fsl/1003_4.fsl", listA, kOld);
    auto cache = NewCache();
    std::vector<ServerAddress> results[4];
    std::vector<std::thread> threads;
    for (auto& result : results)
        threads.emplace_back([&cache, &result] { result = cache->FetchRoomServers(); });
    for (std::thread& thread : threads)
        thread.join();
    for (const auto& result : results)
        EXPECT_EQ(result, listA);
    EXPECT_EQ(OpenedStores(), 1);
    EXPECT_EQ(cache->CurrentServers(), listA);
}
