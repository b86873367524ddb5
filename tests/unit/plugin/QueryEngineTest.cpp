#include "FakeQueryContext.h"
#include "WindowThread.h"

#include "common/Messages.h"
#include "common/PluginState.h"
#include "plugin/QueryEngine.h"
#include "utils/SocketStartup.h"

#include <gtest/gtest.h>

#include <thread>

using namespace Portico;
using namespace Portico::Test;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

// Every datagram is a full answer of game 1.
ProtocolManager* AnsweringProtocols() {
    static FakeProtocols* protocols = [] {
        auto* made = new FakeProtocols;
        made->parse = [](ByteInStream&, const ServerAddress&, auto*, ServerInfo* info, auto*, bool*,
                         Utils::ArrayT<uint32_t>& games) {
            *info = Info("answered");
            games.Append(1);
        };
        return made;
    }();
    return protocols;
}

class QueryEngineTest : public ::testing::Test {
protected:
    Utils::SocketStartup sockets; // the host's part in the plug-in
    PluginState state;
    Favourites favourites;
    QueryEngine engine{state, favourites, &AnsweringProtocols};

    void SetUp() override {
        state.currentGame = 1;
        ASSERT_TRUE(engine.Open(0));
        engine.Browser().SetQueuePaused(true);
    }
    // A server at the room socket's address: a datagram from that socket is its answer.
    ServerAddress RoomSocketServer() { return {kLoopback, engine.LocalPort(1), 1}; }
    void AnswerFromRoomSocket() {
        ByteOutStream datagram;
        datagram << (unsigned char)'A';
        engine.Send(kLoopback, engine.LocalPort(0), datagram, QueryEngine::kRoomSocket);
    }
};

} // namespace

TEST_F(QueryEngineTest, ADirectServerBecomesAFavouriteAtItsFirstReply) {
    const ServerAddress typed = RoomSocketServer();
    engine.Browser().AddServer(typed, false);
    AnswerFromRoomSocket();
    ASSERT_TRUE(Eventually([&] { return favourites.Snapshot().size() == 1; }));
    const ServerRecord kept = favourites.Snapshot()[0];
    EXPECT_EQ(kept.Address(), typed);
    EXPECT_EQ(kept.direct, 1);
    EXPECT_STREQ(kept.info.map, "answered");
}

TEST_F(QueryEngineTest, ShutdownLetsAMessageInFlightThroughAndEndsEveryThread) {
    WindowThread window;
    std::vector<uint32_t> handled;
    window.SetHandler([&](uint32_t message, uintptr_t, intptr_t) {
        handled.push_back(message);
        return intptr_t(0);
    });
    engine.Browser().SetWindow(&window);
    engine.Browser().AddServer(RoomSocketServer(), false);
    AnswerFromRoomSocket();
    // The receive thread now waits for this thread to handle its message.
    ASSERT_TRUE(window.AwaitMessage());
    engine.Shutdown([&] {
        if (window.Pump() == 0)
            std::this_thread::yield();
    });
    EXPECT_EQ(handled, (std::vector<uint32_t>{kMsgServerRecord, kMsgServerRecord}));
    EXPECT_EQ(engine.LocalPort(0), 0); // the sockets are closed

    // Nothing reaches a window after the shutdown.
    engine.Browser().AddServer(ServerAddress{kLoopback, 1, 1}, false);
    EXPECT_EQ(handled.size(), 2u);
}

TEST_F(QueryEngineTest, TheBrowserReadsAndWritesTheRecordsItsRowsPointTo) {
    struct RowWindow : MessageWindow {
        intptr_t Send(uint32_t message, uintptr_t, intptr_t lParam) override {
            if (message == kMsgServerRecord)
                shown = reinterpret_cast<const ServerRecord*>(lParam);
            return 0;
        }
        const ServerRecord* shown = nullptr;
    } window;
    engine.Browser().SetWindow(&window);
    const ServerAddress typed = RoomSocketServer();
    engine.Browser().AddServer(typed, false);
    ASSERT_NE(window.shown, nullptr);
    engine.SetPlayers(window.shown, 7);
    EXPECT_EQ(engine.Copy(window.shown).info.players, 7);
    EXPECT_EQ(engine.Copy(window.shown).Address(), typed);
    engine.Browser().SetWindow(nullptr);
}
