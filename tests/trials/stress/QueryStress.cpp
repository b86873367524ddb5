// Threads under stress: the browser's and the room's query schedulers run for a bounded time
// against the simulated game servers on loopback, with everything at once: servers added from
// lists and one by one, Refill, ClearAll, the favourites shown, queried, edited and saved,
// probes and their cancels, detail requests, master lists, and windows that sometimes answer
// slowly; another thread stops the schedulers now and then. Under ThreadSanitizer a race or
// a lock-order inversion ends the run, under AddressSanitizer a use after free does; a run that
// stops moving is reported with what each thread was doing.
//
//   trial_query_stress [--seconds N] [--seed S]   (default 4 seconds)
#include "BuddyPanel.h"
#include "ListWindow.h"
#include "StressContext.h"
#include "WindowActions.h"
#include "WindowThread.h"

#include "DemoConfig.h"
#include "FakeHost.h"
#include "GameServerSimulator.h"
#include "storage/UserStore.h"
#include "utils/SocketStartup.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>

using namespace Trials;

namespace {

constexpr int kDefaultSeconds = 4;
constexpr uint32_t kCopies = 3;      // of the demo's 204 servers, on other host numbers
constexpr uint32_t kHostShift = 40;  // the demo uses hosts 90 to 106 of each /24
constexpr int kPatienceSeconds = 60; // a liveness bound: the end of a run that hangs

// The demo's servers (four games, a dozen /24s, challenges, split answers, delays) three times
// over, behind the demo's two masters.
Portico::SimConfig StressConfig(uint64_t seed) {
    Portico::SimConfig config = Portico::BuildDemoConfig(Portico::DemoOptions{seed, true});
    const std::vector<Portico::SimServer> demo = config.servers;
    for (uint32_t copy = 1; copy < kCopies; ++copy) {
        for (Portico::SimServer server : demo) {
            server.address.ip += copy * kHostShift;
            config.servers.push_back(server);
        }
    }
    return config;
}

// Stops one scheduler or the other now and then; the next add starts it again.
class Stopper {
public:
    Stopper(Portico::QueryScheduler& browser, Portico::QueryScheduler& room, uint32_t seed)
        : browser(browser), room(room), random(seed) {}

    void Run(const std::atomic<bool>& stop) {
        std::uniform_int_distribution<int> pauseMs(100, 400);
        while (!stop) {
            activity = "waiting";
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs(random)));
            activity = "in Stop";
            const auto start = std::chrono::steady_clock::now();
            (random() % 2 ? browser : room).Stop();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            longestStopMs = std::max(longestStopMs, ms);
            ++stops;
        }
        activity = "ended";
    }

    std::atomic<const char*> activity{"starting"};
    uint64_t stops = 0;
    double longestStopMs = 0;

private:
    Portico::QueryScheduler& browser;
    Portico::QueryScheduler& room;
    std::mt19937 random;
};

// Aborts the run, saying what every thread was doing, when it does not end in time.
class Watchdog {
public:
    Watchdog(const WindowActions& actions, const Stopper& stopper, int seconds)
        : actions(actions), stopper(stopper), seconds(seconds) {}

    void Start() {
        thread = std::thread([this] {
            std::unique_lock<std::mutex> guard(lock);
            if (ended.wait_for(guard, std::chrono::seconds(seconds + kPatienceSeconds),
                               [this] { return done; }))
                return;
            std::printf("query stress: the run did not end: deadlock suspected\n"
                        "  window thread: %s\n  stopper: %s\n  main: %s\n",
                        actions.Activity(), stopper.activity.load(), phase.load());
            std::fflush(stdout);
            std::abort();
        });
    }
    void Finish() {
        {
            std::lock_guard<std::mutex> guard(lock);
            done = true;
        }
        ended.notify_all();
        thread.join();
    }

    std::atomic<const char*> phase{"running"};

private:
    const WindowActions& actions;
    const Stopper& stopper;
    const int seconds;
    std::mutex lock; // guards done
    std::condition_variable ended;
    bool done = false;
    std::thread thread;
};

void PrintWindow(const char* name, const WindowFigures& figures) {
    std::printf("  %s: %llu records (%llu answered), %llu refills, %llu player lists, "
                "%llu slow answers, %llu bad\n",
                name, (unsigned long long)figures.records, (unsigned long long)figures.answered,
                (unsigned long long)figures.refills, (unsigned long long)figures.playerLists,
                (unsigned long long)figures.slowAnswers, (unsigned long long)figures.badRecords);
}

int Usage() {
    std::fprintf(stderr, "usage: trial_query_stress [--seconds N] [--seed S]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int seconds = kDefaultSeconds;
    uint32_t seed = std::random_device{}();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seconds")
            seconds = std::atoi(argv[i + 1]);
        else if (option == "--seed")
            seed = uint32_t(std::strtoul(argv[i + 1], nullptr, 10));
        else
            return Usage();
    }
    if (argc % 2 == 0 || seconds <= 0)
        return Usage();

    Utils::SocketStartup sockets;
    Portico::GameServerSimulator simulator;
    std::string error;
    if (!simulator.Start(StressConfig(seed), error)) {
        std::printf("query stress: the simulator did not start: %s\n", error.c_str());
        return 1;
    }

    Portico::Test::FakeHost host;
    Portico::UserStore store(host);
    bool inFavourites = false;
    uint32_t filter = 0;
    store.LoadUserStore(inFavourites, filter);

    WindowThread windowThread;
    BuddyPanel buddies(windowThread);
    StressContext context(store.GetFavourites(), buddies);
    Portico::QueryPacing pacing; // faster than the plug-in's, for more traffic in little time
    pacing.listPauseMs = 50;
    pacing.burstPauseMs = 10;
    pacing.idlePollMs = 20;
    pacing.pausePollMs = 10;
    pacing.resendGuardMs = 300;
    Portico::QueryScheduler browser(context, 0, pacing);
    Portico::QueryScheduler room(context, 1, pacing);
    ListWindow browserWindow(windowThread, browser, &store.GetFavourites(), seed + 1);
    ListWindow roomPanel(windowThread, room, nullptr, seed + 2);
    browser.SetWindow(&browserWindow);
    room.SetWindow(&roomPanel);
    if (!context.Open(browser, room)) {
        std::printf("query stress: no query sockets\n");
        return 1;
    }

    StressWorld world{windowThread,
                      context,
                      browser,
                      room,
                      browserWindow,
                      roomPanel,
                      store,
                      {},
                      simulator.MasterAddress(Portico::SimMasterKind::Valve),
                      simulator.MasterAddress(Portico::SimMasterKind::Quake)};
    const std::vector<Portico::SimAddress>& bound = simulator.ServerAddresses();
    for (size_t i = 0; i < bound.size(); ++i)
        world.servers.push_back(Portico::ServerAddress{bound[i].ip, bound[i].port,
                                                       simulator.Config().servers[i].gameId});
    std::printf("query stress: %zu servers, %d seconds, seed %u\n", world.servers.size(), seconds,
                seed);

    WindowActions actions(world, seed + 3);
    Stopper stopper(browser, room, seed + 4);
    Watchdog watchdog(actions, stopper, seconds);
    watchdog.Start();
    std::atomic<bool> stopActions{false};
    std::atomic<bool> finish{false};
    windowThread.Start([&] { actions.Run(stopActions, finish); });
    std::thread stopperThread([&] { stopper.Run(stopActions); });

    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    stopActions = true;
    watchdog.phase = "joining the stopper";
    stopperThread.join();
    watchdog.phase = "waiting for the last window action";
    while (!actions.ActionsEnded())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // As at the host's exit: no more messages, and the window thread still handles those in
    // flight while the senders end; the schedulers stop before their sockets close.
    browser.DetachWindows();
    room.DetachWindows();
    watchdog.phase = "stopping the schedulers";
    browser.Stop();
    room.Stop();
    watchdog.phase = "closing the query sockets";
    context.Close();
    finish = true;
    watchdog.phase = "joining the window thread";
    windowThread.Join();
    // The windows delete their rows before the records go.
    browserWindow.DeleteSchedulerRows();
    browserWindow.DeleteFavouriteRows();
    roomPanel.DeleteSchedulerRows();
    browser.ClearAll();
    room.ClearAll();
    watchdog.phase = "stopping the simulator";
    simulator.Stop();
    watchdog.Finish();

    std::printf("  window actions:");
    for (const auto& count : actions.Counts())
        std::printf(" %s %llu,", count.first.c_str(), (unsigned long long)count.second);
    std::printf("\n  stops %llu (longest %.0f ms); datagrams sent %llu, refused %llu; favourites "
                "kept %llu; probe answers %llu\n",
                (unsigned long long)stopper.stops, stopper.longestStopMs,
                (unsigned long long)context.sent.load(), (unsigned long long)context.refused.load(),
                (unsigned long long)context.kept.load(), (unsigned long long)buddies.answers);
    PrintWindow("browser window", browserWindow.Figures());
    PrintWindow("room panel", roomPanel.Figures());
    const bool moved = browserWindow.Figures().answered > 0 && roomPanel.Figures().answered > 0;
    const uint64_t bad = browserWindow.Figures().badRecords + roomPanel.Figures().badRecords +
                         buddies.badAnswers + context.refused + actions.FailedSaves();
    const bool passed = moved && bad == 0;
    std::printf("query stress: %s%s\n", passed ? "PASS" : "FAIL",
                moved ? "" : " (no server answered both schedulers)");
    return passed ? 0 : 1;
}
