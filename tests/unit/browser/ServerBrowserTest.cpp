#include "BrowserFakes.h"
#include "FakeQueryContext.h"

#include "browser/BrowserCommands.h"
#include "browser/JoinTarget.h"
#include "browser/ReportDatagrams.h"
#include "browser/ServerBrowser.h"
#include "common/Messages.h"
#include "utils/ResolveHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <thread>

using namespace Portico;
using namespace Portico::Test;

namespace {

constexpr ReportEndpoint kReports{0x7F000001, 24132};

// 10.0.R.x lies in region R with country "C" + ('A' + R), as in the fake query context.
uint8_t RegionOfIp(uint32_t ip, uint8_t out[3]) {
    const uint8_t region = uint8_t(ip >> 8);
    out[0] = 'C';
    out[1] = uint8_t('A' + region);
    return region;
}

// The plug-in's way of reading records: the favourites' lock, then the scheduler's.
struct EngineRecords : PlainRecords {
    EngineRecords(QueryScheduler& scheduler, Favourites& favourites)
        : scheduler(scheduler), favourites(favourites) {}
    ServerRecord Copy(const ServerRecord* record) override {
        std::lock_guard<std::recursive_mutex> guard(favourites.Lock());
        return scheduler.CopyRecord(record);
    }
    QueryScheduler& scheduler;
    Favourites& favourites;
};

QueryPacing Patient() {
    QueryPacing pacing;
    pacing.listPauseMs = 600000; // servers of a refresh stay queued for the whole test
    return pacing;
}

class BrowserTest : public ::testing::Test {
protected:
    BrowserTest() {
        state.currentGame = 1;
        browser.Initialise(0, &browser);
        browser.OpenTab(false);
    }

    // A record that stays in place, shown as the scheduler would show it.
    const ServerRecord* Arrive(const ServerRecord& record) {
        owned.push_back(record);
        browser.Send(kMsgServerRecord, 0, reinterpret_cast<intptr_t>(&owned.back()));
        return &owned.back();
    }
    std::vector<std::vector<unsigned char>> ReportsSent() {
        std::vector<std::vector<unsigned char>> reports;
        for (const SentDatagram& sent : context.Sent())
            if (sent.ip == kReports.ip && sent.port == kReports.port)
                reports.push_back(sent.bytes);
        return reports;
    }

    PluginState state;
    FakeQueryContext context;
    QueryScheduler scheduler{context, 0, Patient()};
    Favourites favourites;
    ServerStore store{RegionOfIp};
    VectorServerRows rows;
    VectorPlayerRows players;
    EngineRecords records{scheduler, favourites};
    CountingFlags flagSource;
    FlagCache flags{flagSource};
    RecordingView view;
    RecordingHost host;
    ServerBrowser browser{BrowserParts{state, scheduler, favourites, store, rows, players, records,
                                       flags, view, host, kReports}};
    BrowserCommands commands{browser, Utils::ResolveHost};
    std::deque<ServerRecord> owned;
};

} // namespace

TEST_F(BrowserTest, RefreshSelectsTheRegionReportsOnceAndPausesAfterFiveSeconds) {
    store.AddKnownServer(Address(1, 1));
    store.AddKnownServer(Address(2, 2));
    store.AddKnownServer(Address(1, 3, 27015, 2)); // another game
    store.AddKnownServer(Address(1, 4));
    browser.SelectRegion(0x1);
    EXPECT_EQ(view.refreshText, 2101u);
    Arrive(Replied(0x0A000105, 10));

    browser.Refresh();
    EXPECT_EQ(rows.Count(), 0); // the rows went before the scheduler's records
    EXPECT_EQ(scheduler.QueuedServers().size(), 2u);
    EXPECT_EQ(ReportsSent(), (std::vector<std::vector<unsigned char>>{{0xE0, 1, 0, 1, 0}}));
    EXPECT_FALSE(view.refreshEnabled);
    EXPECT_EQ(view.timers[BrowserView::kRefreshTimer], 5000u);

    // Pressed again while servers wait: no new list, no new report.
    Arrive(Replied(0x0A000105, 10));
    browser.Refresh();
    EXPECT_EQ(rows.Count(), 1);
    EXPECT_EQ(ReportsSent().size(), 1u);

    browser.RefreshTimer();
    EXPECT_EQ(view.refreshText, 2105u); // servers still wait
    EXPECT_TRUE(view.refreshEnabled);
    EXPECT_EQ(view.timers.count(BrowserView::kRefreshTimer), 0u);

    // A country node empties the queue; the next refresh asks by country.
    browser.SelectRegion(uint32_t('C' << 8 | 'C') << 16);
    EXPECT_TRUE(scheduler.IsQueueEmpty());
    browser.Refresh();
    EXPECT_EQ(scheduler.QueuedServers(), (std::vector<ServerAddress>{Address(2, 2)}));
    EXPECT_EQ(ReportsSent().back(), (std::vector<unsigned char>{0xE0, 1, 0, 0, 0, 'C', 'C'}));
}

TEST_F(BrowserTest, FavouritesTabListsDirectRecordsOfTheGameAndNeverDisablesRefresh) {
    ServerRecord mine = Replied(0x0A000101, 10), other = Replied(0x0A000102, 10);
    other.gameId = 2;
    favourites.AddFavourite(mine);
    favourites.AddFavourite(other);
    Arrive(Replied(0x0A000103, 10)); // a server-tab row

    browser.SelectTab(1);
    ServerRecord queried;
    EXPECT_TRUE(scheduler.FindRecord(other.Address(), queried)); // every game's favourites
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(records.Copy(rows.rows[0].record).Address(), mine.Address());
    Arrive(Replied(0x0A000104, 5)); // not direct: not a favourite
    EXPECT_EQ(rows.Count(), 1);

    browser.Refresh();
    EXPECT_TRUE(view.refreshEnabled);
    EXPECT_EQ(view.timers.count(BrowserView::kRefreshTimer), 0u);
}

TEST_F(BrowserTest, FocusAsksForPlayersAndTheirCountFollows) {
    const ServerRecord* a = Arrive(Replied(0x0A000101, 20));
    const ServerRecord* b = Arrive(Replied(0x0A000102, 30, 1, 16));
    browser.RowStateChanged(1, 0, ServerBrowser::kRowFocused | ServerBrowser::kRowSelected);
    EXPECT_EQ(browser.SelectedRow(), 1);
    EXPECT_EQ(view.timers[BrowserView::kDetailTimer], 2000u);
    ASSERT_FALSE(context.Sent().empty());
    EXPECT_EQ(context.Sent().back().ip, b->ip);
    EXPECT_EQ(context.Sent().back().bytes, (std::vector<unsigned char>{'D'}));

    PlayerList list;
    list.address = b->Address();
    PlayerEntry entry{};
    for (const char* name : {"x", "y", "z"}) {
        std::strcpy(entry.name, name);
        list.entries.Append(entry);
    }
    browser.Send(kMsgPlayerList, 0, reinterpret_cast<intptr_t>(&list));
    EXPECT_EQ(players.Count(), 3);
    EXPECT_EQ(b->info.players, 3);
    EXPECT_EQ(rows.rows[1].texts[4], u"3/16");

    // Another server's list fills the player list but leaves the focused row's count.
    list.address = a->Address();
    list.entries.Resize(1);
    browser.Send(kMsgPlayerList, 0, reinterpret_cast<intptr_t>(&list));
    EXPECT_EQ(players.Count(), 1);
    EXPECT_EQ(b->info.players, 3);

    // A faster server placed above keeps the focus on the same server.
    Arrive(Replied(0x0A000103, 5));
    EXPECT_EQ(browser.SelectedRow(), 2);
    browser.SortColumn(4); // by players: b (3) first
    EXPECT_EQ(browser.SelectedRow(), 0);

    commands.Run(BrowserCommands::kRemoteConsole); // the game has no remote console
    EXPECT_TRUE(host.consoles.empty());

    browser.RowStateChanged(0, ServerBrowser::kRowSelected, 0);
    EXPECT_EQ(browser.SelectedRow(), -1);
    browser.DetailTimer(); // nothing focused: the timer stops and the players go
    EXPECT_EQ(view.timers.count(BrowserView::kDetailTimer), 0u);
    EXPECT_EQ(players.Count(), 0);
}

TEST_F(BrowserTest, JoinAsksForThePasswordAndUsesTheGamePortOnlyWhenThereIsOne) {
    state.currentGame = kConnectPortGame;
    ServerRecord locked = Replied(0x0A000101, 10);
    locked.gameId = kConnectPortGame;
    locked.info.needPass = 1;
    Arrive(locked);
    locked.ip = 0x0A000102;
    locked.time = 20;
    locked.info.connectPort = 28960;
    Arrive(locked);

    commands.Join(0); // cancelled at the password
    EXPECT_TRUE(host.launches.empty());
    host.typedPassword = u"secret";
    commands.Join(0);
    commands.Join(1);
    commands.Join(5); // no such row
    ASSERT_EQ(host.launches.size(), 2u);
    EXPECT_EQ(host.launches[0].address.port, 27015); // no game port announced: the query port
    EXPECT_EQ(host.launches[0].password, u"secret");
    EXPECT_EQ(host.launches[1].address.port, 28960);
}

TEST_F(BrowserTest, FavouritesAreAddedAndRemovedByTheSelectedRows) {
    state.ApplyUserLevel(1);
    for (uint8_t host = 1; host <= 3; ++host)
        Arrive(Replied(0x0A000100 + host, 10 * host));
    EXPECT_TRUE(commands.ContextMenu().empty()); // nothing selected in the server tab
    for (VectorServerRows::Row& row : rows.rows)
        row.selected = true;
    EXPECT_EQ(commands.ContextMenu(), (std::vector<uint32_t>{2304, 2305, 2308}));
    commands.Action();
    ASSERT_EQ(favourites.Snapshot().size(), 3u);

    browser.SelectTab(1);
    ASSERT_EQ(rows.Count(), 3);
    rows.rows[0].selected = rows.rows[2].selected = true;
    EXPECT_EQ(commands.ContextMenu(), (std::vector<uint32_t>{2304, 2307, 2308, 0, 2306}));
    commands.Run(BrowserCommands::kRemoveFavourite); // from the last row up: none is skipped
    ASSERT_EQ(rows.Count(), 1);
    ASSERT_EQ(favourites.Snapshot().size(), 1u);
    EXPECT_EQ(favourites.Snapshot()[0].ip, 0x0A000102u);
    rows.rows[0].selected = false;
    EXPECT_EQ(commands.ContextMenu(), (std::vector<uint32_t>{2306}));
}

TEST_F(BrowserTest, AddressesTypedInAreCheckedRememberedAndQueued) {
    browser.SelectTab(1);
    host.typedAddress = u"127.0.0.7:0";
    commands.Action();
    EXPECT_EQ(host.messages, (std::vector<uint32_t>{104}));
    host.typedAddress.reset(); // Cancel: the refused text is offered again and kept
    commands.Run(BrowserCommands::kAddAddress);
    EXPECT_EQ(host.offeredAddress, u"127.0.0.7:0");
    EXPECT_EQ(commands.LastAddress(), u"127.0.0.7:0");

    host.typedAddress = u"127.0.0.7:27016";
    commands.Run(BrowserCommands::kAddAddress);
    ASSERT_EQ(rows.Count(), 1); // shown at once, as a favourite-to-be
    EXPECT_EQ(records.Copy(rows.rows[0].record).Address(), (ServerAddress{0x7F000007, 27016, 1}));
}

TEST_F(BrowserTest, TheGamesServerIsReportedAndAnnouncedOrItsStatusPassedOn) {
    browser.Send(kMsgGameServer, NetworkPort(0x6987), intptr_t(NetworkIp(127, 0, 0, 8)));
    EXPECT_EQ(ReportsSent(), (std::vector<std::vector<unsigned char>>{
                                 ReportDatagrams::Play(1, 0x7F000008, 0x6987)}));
    ASSERT_EQ(host.announced.size(), 1u);
    EXPECT_EQ(host.announced[0].port, 0x6987);

    browser.Send(kMsgGameServer, 0, 5);
    EXPECT_EQ(host.statuses, (std::vector<int32_t>{5}));
    EXPECT_EQ(host.announced.size(), 1u);

    // A game launched from a chat room of another game reports the game played.
    state.runningGame = 1028;
    browser.Send(kMsgGameServer, NetworkPort(0x6988), intptr_t(NetworkIp(127, 0, 0, 9)));
    EXPECT_EQ(ReportsSent().back(), ReportDatagrams::Play(1028, 0x7F000009, 0x6988));
}

// Replies land on another thread while the window sorts, reads its rows as its drawing does,
// and refreshes: every row's record stays readable, and nothing races (ASan, TSan).
TEST_F(BrowserTest, RowsStayValidWhileRepliesArriveAndRefreshesClear) {
    std::vector<ServerAddress> servers;
    for (uint8_t host = 1; host <= 40; ++host)
        servers.push_back(Address(1, host));
    std::atomic<bool> done{false};
    std::thread replies([&] {
        for (int round = 0; round < 200 && !done; ++round) {
            for (const ServerAddress& server : servers)
                scheduler.HandleResult(server, Info("map", uint8_t(round)));
        }
    });
    for (int round = 0; round < 30; ++round) {
        for (size_t i = size_t(round) % 4; i < servers.size(); i += 4)
            scheduler.AddServer(servers[i], false);
        browser.SortColumn(round % 6);
        {
            ServerBrowser::RowsLock guard(browser);
            for (int32_t row = 0; row < rows.Count(); ++row)
                EXPECT_EQ(records.Copy(rows.RecordAt(row)).gameId, 1);
        }
        browser.Refresh();
        browser.RefreshTimer();
    }
    done = true;
    replies.join();
}
