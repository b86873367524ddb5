#include "BrowserFakes.h"
#include "FakeQueryContext.h"
#include "GatedSource.h"
#include "WindowThread.h"

#include "browser/ServerRowText.h"
#include "panels/ChatRoomPanel.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

constexpr uint32_t kGame = 1;
using Texts = std::vector<std::u16string>;

class RecordingControls : public ChatRoomControls {
public:
    void ShowListButton(bool shown) override { buttonShown = shown; }
    void ShowList(bool shown) override { listShown = shown; }
    void StartTimer(uint32_t id, uint32_t ms) override { timers[id] = ms; }
    void StopTimer(uint32_t id) override { timers.erase(id); }
    bool Running(uint32_t id) const { return timers.count(id) != 0; }

    bool buttonShown = false, listShown = false;
    std::map<uint32_t, uint32_t> timers;
};

// A room's list as the server-list file gives it: game id 0, region 1 of the fake context.
std::vector<ServerAddress> RoomList(uint8_t first, uint8_t count) {
    std::vector<ServerAddress> list;
    for (uint8_t i = 0; i < count; ++i)
        list.push_back(Address(1, uint8_t(first + i), 27015, 0));
    return list;
}

class ChatRoomPanelTest : public ::testing::Test {
protected:
    ChatRoomPanelTest() {
        state.currentGame = kGame;
        window.SetHandler([this](uint32_t message, uintptr_t wParam, intptr_t lParam) {
            return panel.Send(message, wParam, lParam);
        });
    }
    ~ChatRoomPanelTest() override {
        panel.Close([this] { window.Pump(); });
    }

    // Enters a room whose list is planned, and lets the list reach the panel.
    void EnterRoom(const std::vector<ServerAddress>& list) {
        source.Plan(list);
        panel.Show();
        ASSERT_TRUE(window.AwaitMessage());
        window.Pump();
    }
    void Answer(const ServerAddress& address, const char* map, uint8_t players = 1,
                uint16_t connectPort = 0) {
        ServerInfo info = Info(map, players);
        info.connectPort = connectPort;
        scheduler.HandleResult(address, info);
    }
    // The room is left: no rows, no list, no retries.
    void ExpectLeft() {
        EXPECT_EQ(rows.Count(), 0);
        EXPECT_FALSE(controls.listShown);
        EXPECT_FALSE(controls.Running(ChatRoomControls::kRetryTimer));
    }
    static ServerAddress InGame(ServerAddress address, uint32_t game = kGame) {
        address.gameId = uint16_t(game);
        return address;
    }

    PluginState state;
    FakeQueryContext context;
    WindowThread window;
    QueryScheduler scheduler{context, 1};
    GatedSource source;
    VectorServerRows rows;
    CountingFlags flagSource;
    FlagCache flags{flagSource};
    RecordingControls controls;
    RecordingHost host;
    ChatRoomPanel panel{
        ChatRoomParts{state, scheduler, source, rows, flags, controls, host, window}};
};

TEST_F(ChatRoomPanelTest, TheRoomsListIsQueriedAndShownInThePanelsColumns) {
    const auto list = RoomList(1, 3);
    source.Plan(list, true);
    panel.Show();
    EXPECT_FALSE(controls.buttonShown); // until the list arrives
    source.Open(0);
    ASSERT_TRUE(window.AwaitMessage());
    window.Pump();
    EXPECT_TRUE(controls.buttonShown);
    EXPECT_TRUE(controls.listShown);
    EXPECT_EQ(controls.timers[ChatRoomControls::kRetryTimer], 1000u);
    ASSERT_EQ(rows.Count(), 3);
    // Every server is stamped with the room's game and shown at once, unanswered.
    EXPECT_EQ(rows.Column(kRoomColumnTime), Texts(3, u"N/A"));
    Answer(InGame(list[1]), "dust", 5);
    ServerRecord answered{};
    ASSERT_TRUE(scheduler.FindRecord(InGame(list[1]), answered));
    const int32_t row = panel.Rows().Find(InGame(list[1]));
    ASSERT_GE(row, 0);
    // Name, map, game type, round trip, players; no sixth column is written.
    const auto& texts = rows.rows[size_t(row)].texts;
    EXPECT_EQ(Texts(texts, texts + 6),
              (Texts{u"S", u"dust", u"", TimeText(answered), u"5/16", u""}));
}

TEST_F(ChatRoomPanelTest, ASecondRoomWhileTheFirstListDownloadsShowsOnlyTheSecondRoom) {
    const auto first = RoomList(1, 4), second = RoomList(50, 2);
    source.Plan(first, true);
    source.Plan(second);
    panel.Show();
    ASSERT_TRUE(source.AwaitStarted(1));
    panel.Show(); // the user entered another room
    source.Open(0);
    ASSERT_TRUE(window.AwaitMessage());
    window.Pump();
    panel.Close([this] { window.Pump(); });
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_GE(panel.Rows().Find(InGame(second[0])), 0);
    // A late answer from a server of the first room's list finds no place either.
    scheduler.AddServer(InGame(first[0]), false);
    EXPECT_EQ(rows.Count(), 2);
}

TEST_F(ChatRoomPanelTest, AListArrivingAfterTheRoomWasLeftIsIgnored) {
    source.Plan(RoomList(1, 3));
    panel.Show();
    ASSERT_TRUE(window.AwaitMessage());
    panel.Hide();
    window.Pump();
    ExpectLeft();
    EXPECT_TRUE(scheduler.QueuedServers().empty());
}

TEST_F(ChatRoomPanelTest, LeavingTheRoomDropsRowsRecordsAndTimers) {
    const auto list = RoomList(1, 2);
    EnterRoom(list);
    panel.Hide();
    ExpectLeft();
    ServerRecord gone;
    EXPECT_FALSE(scheduler.FindRecord(InGame(list[0]), gone));
    // A hidden panel takes no record, and a second Hide changes nothing.
    scheduler.AddServer(InGame(list[0]), false);
    panel.Hide();
    EXPECT_EQ(rows.Count(), 0);
}

TEST_F(ChatRoomPanelTest, ARecordOfAnotherGameAddsNoRow) {
    const auto list = RoomList(1, 1);
    EnterRoom(list);
    state.currentGame = 7; // a late answer after the user moved to a room of another game
    Answer(InGame(list[0]), "late");
    EXPECT_NE(rows.rows[0].texts[kRoomColumnMap], u"late");
    scheduler.AddServer(InGame(list[0], 7), false);
    EXPECT_EQ(rows.Count(), 1);
}

TEST_F(ChatRoomPanelTest, UnansweredServersAreAskedAgainForFourTicksThenTheQueuePauses) {
    const auto list = RoomList(1, 2);
    EnterRoom(list);
    Answer(InGame(list[0]), "a");
    for (int tick = 1; tick <= 4; ++tick) {
        panel.RetryTimer();
        EXPECT_TRUE(controls.Running(ChatRoomControls::kRetryTimer)) << tick;
    }
    panel.RetryTimer();
    EXPECT_FALSE(controls.Running(ChatRoomControls::kRetryTimer));
}

TEST_F(ChatRoomPanelTest, WithEveryServerAnsweredTheFirstTickStopsTheRetries) {
    const auto list = RoomList(1, 2);
    EnterRoom(list);
    Answer(InGame(list[0]), "a");
    Answer(InGame(list[1]), "b");
    panel.RetryTimer();
    EXPECT_FALSE(controls.Running(ChatRoomControls::kRetryTimer));
    // Refresh queries the last list again and restarts the retries.
    panel.Refresh();
    EXPECT_TRUE(controls.Running(ChatRoomControls::kRetryTimer));
    EXPECT_EQ(rows.Count(), 2);
}

TEST_F(ChatRoomPanelTest, ColumnClicksSortByThePanelsColumns) {
    const auto list = RoomList(1, 3);
    EnterRoom(list);
    Answer(InGame(list[0]), "cove", 2);
    Answer(InGame(list[1]), "alps", 9);
    Answer(InGame(list[2]), "bay", 4);
    panel.SortColumn(kRoomColumnPlayers); // most players first
    EXPECT_EQ(rows.Column(kRoomColumnMap), (Texts{u"alps", u"bay", u"cove"}));
    EXPECT_EQ(panel.SortKey(), kRoomColumnPlayers + 1);
    panel.SortColumn(kRoomColumnPlayers);
    EXPECT_EQ(rows.Column(kRoomColumnMap), (Texts{u"cove", u"bay", u"alps"}));
    panel.SortColumn(kRoomColumnMap);
    EXPECT_EQ(panel.SortKey(), kRoomColumnMap + 1);
    EXPECT_EQ(rows.Column(kRoomColumnMap), (Texts{u"alps", u"bay", u"cove"}));
    panel.SortColumn(kRoomColumns); // no such column
    EXPECT_EQ(panel.SortKey(), kRoomColumnMap + 1);
}

TEST_F(ChatRoomPanelTest, ADoubleClickJoinsTheRowsServerOnItsConnectPort) {
    state.currentGame = 1028;
    const ServerAddress server = InGame(RoomList(1, 1)[0], 1028);
    EnterRoom(RoomList(1, 1));
    Answer(server, "open", 1, 7777);
    panel.Join(rows.Count()); // below the last row: nothing
    panel.Join(panel.Rows().Find(server));
    ASSERT_EQ(host.launches.size(), 1u);
    EXPECT_EQ(host.launches[0].address, (ServerAddress{server.ip, 7777, server.gameId}));
}

TEST_F(ChatRoomPanelTest, TheListButtonTogglesTheListOnlyWhileShown) {
    panel.ToggleList();
    EXPECT_FALSE(controls.listShown);
    EnterRoom(RoomList(1, 1));
    panel.ToggleList();
    EXPECT_FALSE(controls.listShown);
    EXPECT_TRUE(controls.buttonShown); // the button stays to bring the list back
    panel.ToggleList();
    EXPECT_TRUE(controls.listShown);
}

} // namespace
