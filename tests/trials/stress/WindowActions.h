// What the window thread does in the stress trial, in random order and as fast as it can: the
// browser's refresh (servers added from a list), Refill, ClearAll, the favourites shown, queried,
// edited and saved, the chat-room panel's servers, buddy probes and their cancels, detail
// requests, master lists, queue pauses and game switches. Between two actions it handles the
// messages that other threads sent to its windows.
#pragma once

#include "ListWindow.h"
#include "StressContext.h"
#include "WindowThread.h"

#include "SimConfig.h"
#include "storage/UserStore.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace Trials {

struct StressWorld {
    WindowThread& thread;
    StressContext& context;
    Portico::QueryScheduler& browser;
    Portico::QueryScheduler& room;
    ListWindow& browserWindow;
    ListWindow& roomPanel;
    Portico::UserStore& store;
    std::vector<Portico::ServerAddress> servers; // every simulated server, with its game
    Portico::SimAddress valveMaster;
    Portico::SimAddress quakeMaster;
};

class WindowActions {
public:
    WindowActions(StressWorld& world, uint32_t seed) : world(world), random(seed) {}

    // The window thread's body: actions until stopActions, then only messages until finish.
    void Run(const std::atomic<bool>& stopActions, const std::atomic<bool>& finish);

    // What it is doing now (for a report of a run that hangs).
    const char* Activity() const { return activity.load(); }
    // True once no action runs any more, only message handling.
    bool ActionsEnded() const { return actionsEnded.load(); }
    // How often each action ran, by name; read once the window thread has ended.
    const std::map<std::string, uint64_t>& Counts() const { return counts; }
    uint64_t FailedSaves() const { return failedSaves; }

private:
    void Step();
    void ListAdd();
    void Refill();
    void ClearAll();
    void ShowFavourites();
    void QueryFavourites();
    void EditFavourites();
    void SaveStore();
    void RoomRefresh();
    void Probe();
    void CancelProbe();
    void Details();
    void AskMaster();
    void QueueControls();
    void SwitchGame();
    void Paint();

    const std::vector<Portico::ServerAddress>& ServersOfGame(uint16_t game);
    const Portico::ServerAddress& AnyServerOfGame(uint16_t game);
    Portico::QueryScheduler& AnyScheduler();
    uint32_t Below(uint32_t bound) { return uint32_t(random() % bound); }

    StressWorld& world;
    std::mt19937 random;
    std::atomic<const char*> activity{"starting"};
    std::atomic<bool> actionsEnded{false};
    std::map<std::string, uint64_t> counts;
    std::map<uint16_t, std::vector<Portico::ServerAddress>> byGame;
    struct ProbeTag {
        Portico::QueryScheduler* scheduler;
        uint32_t tag;
    };
    std::deque<ProbeTag> probes;
    uint32_t nextTag = 0;
    uint64_t failedSaves = 0;
};

} // namespace Trials
