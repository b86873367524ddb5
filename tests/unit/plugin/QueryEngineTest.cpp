#include "FakeQueryContext.h"

#include "common/Messages.h"
#include "common/PluginState.h"
#include "plugin/QueryEngine.h"
#include "utils/SocketStartup.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
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

// A window of one thread, as Windows has them: a send from another thread waits until the
// window's thread handles it; one from the window's thread is handled at once.
class ThreadWindow : public MessageWindow {
public:
    intptr_t Send(uint32_t message, uintptr_t, intptr_t) override {
        if (std::this_thread::get_id() == owner) {
            handled.push_back(message);
            return 0;
        }
        std::unique_lock<std::mutex> guard(lock);
        pending.push_back(message);
        changed.notify_all();
        changed.wait(guard, [&] { return pending.empty(); });
        return 0;
    }
    // The window thread's message pump: handles what other threads sent.
    void Pump() {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait_for(guard, std::chrono::milliseconds(10), [&] { return !pending.empty(); });
        for (uint32_t message : pending)
            handled.push_back(message);
        pending.clear();
        changed.notify_all();
    }
    bool Waiting() {
        std::lock_guard<std::mutex> guard(lock);
        return !pending.empty();
    }
    std::vector<uint32_t> handled; // the window thread's own

private:
    const std::thread::id owner = std::this_thread::get_id();
    std::mutex lock;
    std::condition_variable changed;
    std::deque<uint32_t> pending;
};

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
    ThreadWindow window;
    engine.Browser().SetWindow(&window);
    engine.Browser().AddServer(RoomSocketServer(), false);
    AnswerFromRoomSocket();
    // The receive thread now waits for this thread to handle its message.
    ASSERT_TRUE(Eventually([&] { return window.Waiting(); }));
    engine.Shutdown([&] { window.Pump(); });
    EXPECT_EQ(window.handled, (std::vector<uint32_t>{kMsgServerRecord, kMsgServerRecord}));
    EXPECT_EQ(engine.LocalPort(0), 0); // the sockets are closed

    // Nothing reaches a window after the shutdown.
    engine.Browser().AddServer(ServerAddress{kLoopback, 1, 1}, false);
    EXPECT_EQ(window.handled.size(), 2u);
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
