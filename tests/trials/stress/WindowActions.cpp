#include "WindowActions.h"

#include "DemoConfig.h"
#include "GameFacts.h"
#include "MasterProtocol.h"

#include <algorithm>

namespace Trials {

namespace {

using Action = void (WindowActions::*)();

constexpr uint16_t kGames[] = {1003, 1028, 1005, 1010};
constexpr size_t kMaxProbes = 64;
constexpr uint32_t kMaxPumpMs = 4;

} // namespace

void WindowActions::Run(const std::atomic<bool>& stopActions, const std::atomic<bool>& finish) {
    while (!stopActions) {
        Step();
        activity = "handling messages";
        world.thread.Pump(std::chrono::milliseconds(Below(kMaxPumpMs + 1)));
    }
    activity = "handling messages after the actions";
    actionsEnded = true;
    while (!finish)
        world.thread.Pump(std::chrono::milliseconds(10));
    activity = "ended";
}

void WindowActions::Step() {
    struct Choice {
        const char* name;
        Action action;
        uint32_t weight;
    };
    static const Choice kChoices[] = {
        {"list add", &WindowActions::ListAdd, 6},
        {"refill", &WindowActions::Refill, 4},
        {"clear all", &WindowActions::ClearAll, 2},
        {"show favourites", &WindowActions::ShowFavourites, 2},
        {"query favourites", &WindowActions::QueryFavourites, 2},
        {"edit favourites", &WindowActions::EditFavourites, 3},
        {"save store", &WindowActions::SaveStore, 1},
        {"room refresh", &WindowActions::RoomRefresh, 3},
        {"probe", &WindowActions::Probe, 4},
        {"cancel probe", &WindowActions::CancelProbe, 2},
        {"details", &WindowActions::Details, 3},
        {"ask master", &WindowActions::AskMaster, 1},
        {"queue controls", &WindowActions::QueueControls, 2},
        {"switch game", &WindowActions::SwitchGame, 1},
        {"paint", &WindowActions::Paint, 4},
    };
    uint32_t total = 0;
    for (const Choice& choice : kChoices)
        total += choice.weight;
    uint32_t draw = Below(total);
    const Choice* chosen = kChoices;
    while (draw >= chosen->weight)
        draw -= (chosen++)->weight;
    activity = chosen->name;
    ++counts[chosen->name];
    (this->*chosen->action)();
}

// The browser's refresh: a region, a country or everything, and the selected game's servers
// of a list (a part of them, in the list's order).
void WindowActions::ListAdd() {
    Portico::QueryScheduler& browser = world.browser;
    const uint32_t region = 1 + Below(12);
    const uint32_t masks[] = {0xFFFF, 1u << (region - 1),
                              uint32_t('C' << 8 | ('A' + region)) << 16};
    browser.SetRegionMask(masks[Below(3)]);
    browser.SetRegionFilterOn(Below(8) != 0);
    browser.SetQueuePaused(false);
    std::vector<Portico::ServerAddress> list = ServersOfGame(world.context.SelectedGame());
    list.resize(list.size() / 2 + Below(uint32_t(list.size() / 2 + 1)));
    for (const Portico::ServerAddress& address : list)
        browser.AddServer(address, true);
}

void WindowActions::Refill() {
    world.browser.Refill();
}

// The design's rule: a window deletes the rows that point into a scheduler before ClearAll.
void WindowActions::ClearAll() {
    world.browserWindow.DeleteSchedulerRows();
    world.browser.ClearAll();
}

void WindowActions::ShowFavourites() {
    world.browserWindow.SetShowingFavourites(true);
    world.store.GetFavourites().ShowFavourites(world.browserWindow);
    world.browserWindow.SetShowingFavourites(false);
}

void WindowActions::QueryFavourites() {
    world.store.GetFavourites().QueryFavourites(world.browser);
}

// The add and remove commands of the browser's menu; rows go before their favourite.
void WindowActions::EditFavourites() {
    Portico::Favourites& favourites = world.store.GetFavourites();
    if (Below(2) == 0) {
        std::vector<Portico::ServerRecord> rows = world.browserWindow.SchedulerRows();
        if (!rows.empty())
            favourites.AddFavourite(rows[Below(uint32_t(rows.size()))]);
        return;
    }
    const std::vector<Portico::ServerRecord> stored = favourites.Snapshot();
    if (stored.empty())
        return;
    const Portico::ServerAddress address = stored[Below(uint32_t(stored.size()))].Address();
    world.browserWindow.DeleteFavouriteRowsOf(address);
    favourites.RemoveFavourite(address);
}

// As at the browser's start and end; loading replaces the favourites, so their rows go first.
void WindowActions::SaveStore() {
    world.browserWindow.DeleteFavouriteRows();
    bool inFavourites = false;
    uint32_t filter = 0;
    const bool saved = world.store.LoadUserStore(inFavourites, filter) &&
                       world.store.SaveUserStore(inFavourites, filter);
    failedSaves += !saved;
}

// The chat-room panel shows a room: its rows go, then the scheduler's records, then the room's
// servers are handed over one by one.
void WindowActions::RoomRefresh() {
    Portico::QueryScheduler& room = world.room;
    world.roomPanel.DeleteSchedulerRows();
    room.ClearAll();
    room.SetRegionMask(0xFFFF);
    room.SetRegionFilterOn(true);
    room.SetQueuePaused(false);
    const uint32_t count = 10 + Below(50);
    for (uint32_t i = 0; i < count; ++i)
        room.AddServer(AnyServerOfGame(world.context.SelectedGame()), false);
}

void WindowActions::Probe() {
    Portico::QueryScheduler& scheduler = AnyScheduler();
    const uint32_t tag = ++nextTag;
    scheduler.ProbeServer(AnyServerOfGame(world.context.SelectedGame()), tag);
    probes.push_back(ProbeTag{&scheduler, tag});
    if (probes.size() > kMaxProbes)
        probes.pop_front();
}

void WindowActions::CancelProbe() {
    if (probes.empty())
        return;
    const size_t index = Below(uint32_t(probes.size()));
    probes[index].scheduler->CancelProbe(probes[index].tag);
    probes.erase(probes.begin() + long(index));
}

// The browser's detail timer: the players of a shown server.
void WindowActions::Details() {
    const std::vector<Portico::ServerRecord> rows = world.browserWindow.SchedulerRows();
    if (!rows.empty())
        world.browser.RequestDetails(rows[Below(uint32_t(rows.size()))].Address());
}

void WindowActions::AskMaster() {
    const uint16_t game = world.context.SelectedGame();
    const Portico::SimAddress master =
        Portico::GameFacts::QuakeMaster(game) ? world.quakeMaster : world.valveMaster;
    Portico::ByteOutStream request;
    Portico::BuildMasterRequest(game, Portico::ServerAddress{0, 0, game},
                                Portico::GameFacts::MasterFilter(game), request);
    world.browser.AskForList(master.ip, master.port, request);
}

void WindowActions::QueueControls() {
    Portico::QueryScheduler& scheduler = AnyScheduler();
    switch (Below(4)) {
    case 0:
        scheduler.SetQueuePaused(true);
        break;
    case 1:
        scheduler.SetQueuePaused(false);
        break;
    case 2:
        scheduler.ClearQueue();
        break;
    default:
        scheduler.IsQueueEmpty();
        scheduler.QueuedServers();
        break;
    }
}

void WindowActions::SwitchGame() {
    world.context.SelectGame(kGames[Below(4)]);
}

void WindowActions::Paint() {
    world.browserWindow.ReadRows();
    world.roomPanel.ReadRows();
}

const std::vector<Portico::ServerAddress>& WindowActions::ServersOfGame(uint16_t game) {
    std::vector<Portico::ServerAddress>& servers = byGame[game];
    if (servers.empty()) {
        for (const Portico::ServerAddress& address : world.servers) {
            if (address.gameId == game)
                servers.push_back(address);
        }
    }
    return servers;
}

// The simulation serves every game, so no list is empty.
const Portico::ServerAddress& WindowActions::AnyServerOfGame(uint16_t game) {
    const std::vector<Portico::ServerAddress>& servers = ServersOfGame(game);
    return servers[Below(uint32_t(servers.size()))];
}

Portico::QueryScheduler& WindowActions::AnyScheduler() {
    return Below(2) == 0 ? world.browser : world.room;
}

} // namespace Trials
