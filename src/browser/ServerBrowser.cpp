#include "browser/ServerBrowser.h"

#include "browser/RegionTree.h"
#include "browser/ReportDatagrams.h"
#include "browser/ServerRowOrder.h"
#include "common/Messages.h"
#include "common/ResourceIds.h"

namespace Portico {
namespace {

constexpr uint32_t kServerTabRefreshText = 2101;
constexpr uint32_t kFavouritesRefreshText = 2102;
constexpr uint32_t kQueueWaitingText = 2105;
constexpr int32_t kFavouritesTab = 1;

} // namespace

ServerBrowser::ServerBrowser(const BrowserParts& parts)
    : parts(parts), rows(parts.serverRows, parts.records, parts.flags), players(parts.playerRows) {}

intptr_t ServerBrowser::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case kMsgServerRecord:
        ShowRecord(reinterpret_cast<const ServerRecord*>(lParam));
        break;
    case kMsgResortByPing:
        Sort(kSortByTime);
        break;
    case kMsgListRefill: {
        RowsLock guard(*this);
        selectedRow = -1;
        rows.Clear();
        break;
    }
    case kMsgPlayerList:
        ShowPlayers(reinterpret_cast<const PlayerList*>(lParam));
        break;
    case kMsgGameServer:
        GameServer(wParam, lParam);
        break;
    default:
        break;
    }
    return 0;
}

uint32_t ServerBrowser::Initialise(uint32_t storedMask, MessageWindow* window) {
    const uint32_t mask = RegionTree::InitialMask(storedMask, parts.state.region);
    parts.scheduler.SetWindow(window);
    parts.scheduler.SetRegionMask(mask);
    return mask;
}

void ServerBrowser::OpenTab(bool favourites) {
    {
        RowsLock guard(*this);
        browseFavourites = !favourites;
    }
    SelectTab(favourites ? kFavouritesTab : 0);
}

void ServerBrowser::Show(bool favouritesTab) {
    {
        RowsLock guard(*this);
        selectedRow = -1;
        rows.Clear();
        selectedServer = {};
    }
    parts.scheduler.ClearQueue();
    OpenTab(favouritesTab);
}

void ServerBrowser::Hide() {
    parts.scheduler.ClearQueue();
    RowsLock guard(*this);
    selectedServer = {};
    selectedRow = -1;
    parts.serverRows.DeselectAll();
}

void ServerBrowser::SelectTab(int32_t index) {
    if (index == kFavouritesTab)
        EnterFavouritesTab();
    else
        EnterServerTab();
}

void ServerBrowser::SelectRegion(uint32_t nodeData) {
    parts.scheduler.SetRegionMask(nodeData);
    parts.scheduler.ClearQueue();
    parts.view.SetRefreshText(InFavourites() ? kFavouritesRefreshText : kServerTabRefreshText);
}

void ServerBrowser::Refresh() {
    QueryScheduler& scheduler = parts.scheduler;
    if (InFavourites()) {
        parts.favourites.QueryFavourites(scheduler);
        scheduler.SetQueuePaused(false);
        return;
    }
    // While servers of the last refresh still wait, the press only lets them go out again.
    if (scheduler.IsQueueEmpty())
        StartRefresh();
    parts.view.EnableRefresh(false);
    parts.view.StartTimer(BrowserView::kRefreshTimer, kRefreshMs);
    scheduler.SetQueuePaused(false);
}

void ServerBrowser::StartRefresh() {
    QueryScheduler& scheduler = parts.scheduler;
    {
        RowsLock guard(*this);
        selectedServer = {};
        selectedRow = -1;
        rows.Clear();
    }
    // Only now that no row points to them may the scheduler free its records.
    scheduler.ClearAll();
    const uint32_t mask = scheduler.GetRegionMask();
    const uint16_t game = uint16_t(CurrentGame());
    std::vector<ServerAddress> servers;
    if (mask >> 16 == 0)
        parts.store.SelectByRegion(game, mask & 0xFFFF, servers);
    else
        parts.store.SelectByCountry(game, uint16_t(mask >> 16), servers);
    SendReport(ReportDatagrams::Area(game, mask));
    for (const ServerAddress& server : servers)
        scheduler.AddServer(server, true);
}

void ServerBrowser::RefreshTimer() {
    QueryScheduler& scheduler = parts.scheduler;
    uint32_t text = kFavouritesRefreshText;
    if (!InFavourites())
        text = scheduler.IsQueueEmpty() ? kServerTabRefreshText : kQueueWaitingText;
    parts.view.SetRefreshText(text);
    scheduler.SetQueuePaused(true);
    parts.view.StopTimer(BrowserView::kRefreshTimer);
    parts.view.EnableRefresh(true);
}

void ServerBrowser::DetailTimer() {
    RequestPlayers();
}

void ServerBrowser::SelectPingLimit(int32_t entry) {
    constexpr int32_t kEntries = int32_t(sizeof kPingLimits / sizeof kPingLimits[0]);
    if (entry < 0 || entry >= kEntries)
        return;
    {
        RowsLock guard(*this);
        pingLimit = kPingLimits[entry];
    }
    // Every record is offered again through the new limit.
    if (InFavourites())
        parts.favourites.ShowFavourites(*this);
    else
        parts.scheduler.Refill();
}

void ServerBrowser::SortColumn(int32_t column) {
    int32_t key;
    {
        RowsLock guard(*this);
        key = sortKey = NextSortKey(sortKey, column);
    }
    Sort(key);
}

void ServerBrowser::RowStateChanged(int32_t row, uint32_t oldState, uint32_t newState) {
    if ((newState & kRowFocused) && !(oldState & kRowFocused)) {
        {
            RowsLock guard(*this);
            ServerAddress address;
            if (!rows.AddressAt(row, address))
                return;
            selectedRow = row;
            selectedServer = address;
        }
        parts.view.StopTimer(BrowserView::kDetailTimer);
        RequestPlayers();
        parts.view.StartTimer(BrowserView::kDetailTimer, kDetailMs);
    } else if ((oldState & kRowSelected) && !(newState & kRowSelected)) {
        RowsLock guard(*this);
        selectedRow = -1;
        selectedServer.ip = 0;
    }
}

int32_t ServerBrowser::SelectedRow() {
    RowsLock guard(*this);
    return selectedRow;
}

bool ServerBrowser::InFavourites() {
    RowsLock guard(*this);
    return browseFavourites;
}

int32_t ServerBrowser::SortKey() {
    RowsLock guard(*this);
    return sortKey;
}

uint32_t ServerBrowser::PingLimit() {
    RowsLock guard(*this);
    return pingLimit;
}

void ServerBrowser::DeleteRow(int32_t row) {
    RowsLock guard(*this);
    rows.Delete(row);
    if (row == selectedRow) {
        selectedRow = -1;
        selectedServer.ip = 0;
    } else if (row < selectedRow) {
        --selectedRow;
    }
}

void ServerBrowser::ShowRecord(const ServerRecord* record) {
    if (!record)
        return;
    ServerRecord copy;
    bool refreshFavourite = false;
    {
        RowsLock guard(*this);
        copy = parts.records.Copy(record);
        const RowFilter filter{CurrentGame(), browseFavourites, pingLimit};
        const ServerRowModel::Shown shown = rows.Show(record, copy, filter);
        if (shown.row < 0)
            return;
        // A row placed above the focused one moves it down.
        if (shown.inserted && selectedRow >= shown.row)
            ++selectedRow;
        refreshFavourite = !browseFavourites && copy.status == kStatusReplied;
    }
    // A favourite seen in a server list takes that reply, with the rows let go.
    if (refreshFavourite)
        parts.favourites.RefreshFavourite(copy);
}

void ServerBrowser::ShowPlayers(const PlayerList* list) {
    RowsLock guard(*this);
    if (selectedRow < 0 || !list || list->address.gameId != CurrentGame() ||
        !parts.serverRows.RecordAt(selectedRow))
        return;
    ProtocolManager* manager = parts.scheduler.Context().Protocols();
    const GameProtocol* protocol = manager ? manager->GetProtocol(CurrentGame()) : nullptr;
    players.Merge(*list, protocol);
    rows.UpdatePlayerCount(selectedRow, list->address, list->entries.Size());
}

void ServerBrowser::GameServer(uintptr_t wParam, intptr_t lParam) {
    const uint32_t game = CurrentGame();
    const GameServerReport::Outcome outcome = gameServer.Take(game, wParam, lParam);
    if (!outcome.changed)
        return;
    if (outcome.statusOnly) {
        parts.host.ReportGameStatus(outcome.status);
        return;
    }
    // The game played, which a chat room's or a buddy's join may have made another than the
    // one shown.
    const uint32_t running = parts.state.runningGame;
    if (outcome.ip != 0)
        SendReport(ReportDatagrams::Play(uint16_t(running != 0 ? running : game), outcome.ip,
                                         outcome.port));
    parts.host.Announce(outcome.ip, outcome.port);
}

void ServerBrowser::Sort(int32_t key) {
    RowsLock guard(*this);
    rows.Sort(key);
    // The focused server keeps its row, wherever the sort put it.
    if (selectedRow >= 0)
        selectedRow = rows.Find(selectedServer);
}

void ServerBrowser::EnterServerTab() {
    if (!InFavourites())
        return;
    LeaveTab();
    parts.view.SetRefreshText(kServerTabRefreshText);
    parts.view.SetActionText(IDM_ADD_FAVOURITE);
    parts.view.ShowTree(true);
    {
        RowsLock guard(*this);
        browseFavourites = false;
    }
    parts.scheduler.SetRegionFilterOn(true);
    parts.scheduler.Refill();
}

void ServerBrowser::EnterFavouritesTab() {
    if (InFavourites())
        return;
    LeaveTab();
    parts.view.SetRefreshText(kFavouritesRefreshText);
    parts.view.SetActionText(IDM_ADD_ADDRESS);
    parts.view.ShowTree(false);
    {
        RowsLock guard(*this);
        browseFavourites = true;
    }
    parts.scheduler.SetRegionFilterOn(false);
    if (!parts.favourites.FavouritesQueried())
        parts.favourites.QueryFavourites(parts.scheduler);
    parts.favourites.ShowFavourites(*this);
}

void ServerBrowser::LeaveTab() {
    {
        RowsLock guard(*this);
        selectedRow = -1;
        selectedServer = {};
    }
    parts.scheduler.ClearQueue();
    parts.scheduler.SetQueuePaused(false);
}

void ServerBrowser::RequestPlayers() {
    ServerAddress server;
    {
        RowsLock guard(*this);
        if (selectedServer.ip == 0) {
            parts.view.StopTimer(BrowserView::kDetailTimer);
            selectedRow = -1;
            players.Clear();
            return;
        }
        server = selectedServer;
    }
    parts.scheduler.RequestDetails(server);
}

void ServerBrowser::SendReport(const std::vector<uint8_t>& datagram) {
    const ReportEndpoint& to = parts.reports;
    if (to.ip == 0)
        return;
    ByteOutStream stream;
    stream.Write(datagram.data(), uint32_t(datagram.size()));
    parts.scheduler.Context().Send(to.ip, to.port, stream, parts.scheduler.SocketIndex());
}

} // namespace Portico
