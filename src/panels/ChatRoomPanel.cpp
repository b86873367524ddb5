#include "panels/ChatRoomPanel.h"

#include "browser/JoinTarget.h"
#include "browser/ServerRowOrder.h"
#include "common/Messages.h"

#include <vector>

namespace Portico {
namespace {

constexpr ColumnMappedRows::Columns kListColumns = {
    ColumnMappedRows::kHidden, kRoomColumnName,    kRoomColumnMap,
    kRoomColumnGameType,       kRoomColumnPlayers, kRoomColumnTime};

// The server list's sort key of each of the panel's columns.
constexpr int32_t kSortKeys[kRoomColumns] = {2, 3, 4, kSortByTime, 5};

int32_t ServerListKey(int32_t panelKey) {
    const int32_t key = kSortKeys[(panelKey < 0 ? -panelKey : panelKey) - 1];
    return panelKey < 0 ? -key : key;
}

} // namespace

ChatRoomPanel::ChatRoomPanel(const ChatRoomParts& panelParts)
    : parts(panelParts), records(parts.scheduler), mapped(parts.list, kListColumns),
      rows(mapped, records, parts.flags), fetcher(parts.source, parts.window) {}

intptr_t ChatRoomPanel::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == kMsgServerRecord)
        ShowRecord(reinterpret_cast<const ServerRecord*>(lParam));
    else if (message == kMsgRoomServers)
        ServersReady(size_t(wParam), reinterpret_cast<const ServerAddress*>(lParam));
    return 0;
}

void ChatRoomPanel::Show() {
    // Another room's rows, records and list give way; a first room starts with the list hidden.
    ClearRoom();
    shown = true;
    if (!schedulerSet) {
        parts.scheduler.SetWindow(&parts.window);
        parts.scheduler.SetRegionFilterOn(true);
        parts.scheduler.SetRegionMask(kAllRegions);
        schedulerSet = true;
    }
    fetcher.Request();
}

void ChatRoomPanel::Hide() {
    if (!shown)
        return;
    fetcher.Cancel();
    ClearRoom();
    shown = false;
}

void ChatRoomPanel::ClearRoom() {
    parts.controls.StopTimer(ChatRoomControls::kRetryTimer);
    listShown = false;
    parts.controls.ShowListButton(false);
    parts.controls.ShowList(false);
    {
        RowsLock guard(*this);
        rows.Clear();
        roomServers.clear();
    }
    // Only once no row points at a record any more.
    parts.scheduler.ClearAll();
}

void ChatRoomPanel::ToggleList() {
    if (!shown)
        return;
    listShown = !listShown;
    parts.controls.ShowList(listShown);
}

void ChatRoomPanel::ShowRecord(const ServerRecord* record) {
    if (!record || !shown)
        return;
    RowsLock guard(*this);
    const ServerRecord copy = records.Copy(record);
    // A late answer from a room left behind has no place here, even in the same game.
    if (roomServers.count(copy.Address()) == 0)
        return;
    RowFilter filter;
    filter.gameId = parts.state.currentGame;
    rows.Show(record, copy, filter);
}

void ChatRoomPanel::ServersReady(size_t count, const ServerAddress* servers) {
    if (!shown || !servers || count == 0 || !fetcher.Wanted())
        return;
    {
        RowsLock guard(*this);
        roomServers.clear();
    }
    listShown = true;
    parts.controls.ShowListButton(true);
    parts.controls.ShowList(true);
    Query(count, servers);
}

void ChatRoomPanel::Refresh() {
    if (!shown)
        return;
    const std::vector<ServerAddress> servers = parts.source.CurrentServers();
    if (!servers.empty())
        Query(servers.size(), servers.data());
}

void ChatRoomPanel::Query(size_t count, const ServerAddress* servers) {
    const uint32_t game = parts.state.currentGame;
    for (size_t i = 0; i < count; ++i) {
        ServerAddress address = servers[i];
        address.gameId = uint16_t(game);
        {
            RowsLock guard(*this);
            roomServers.insert(address);
        }
        parts.scheduler.AddServer(address, false);
    }
    parts.scheduler.SetQueuePaused(false);
    retries = kRetryTicks;
    parts.controls.StartTimer(ChatRoomControls::kRetryTimer, kRetryMs);
}

void ChatRoomPanel::RetryTimer() {
    --retries;
    std::vector<ServerAddress> unanswered;
    if (retries > 0) {
        RowsLock guard(*this);
        const int32_t count = parts.list.Count();
        for (int32_t row = 0; row < count; ++row) {
            const ServerRecord* record = parts.list.RecordAt(row);
            if (!record)
                continue;
            const ServerRecord copy = records.Copy(record);
            if (copy.status != kStatusReplied)
                unanswered.push_back(copy.Address());
        }
    }
    for (const ServerAddress& address : unanswered)
        parts.scheduler.AddServer(address, false);
    if (unanswered.empty()) {
        parts.controls.StopTimer(ChatRoomControls::kRetryTimer);
        parts.scheduler.SetQueuePaused(true);
        SettleOrder();
    }
}

// Every server entered the list before its answer, so the arrival order says nothing about
// the round trips: once the answers are in, the list is put in round-trip order, unless the
// user chose an order of his own.
void ChatRoomPanel::SettleOrder() {
    RowsLock guard(*this);
    if (sortKey == 0)
        rows.Sort(kSortByTime);
}

void ChatRoomPanel::SortColumn(int32_t column) {
    if (column < 0 || column >= kRoomColumns)
        return;
    RowsLock guard(*this);
    sortKey = NextSortKey(sortKey, column);
    rows.Sort(ServerListKey(sortKey));
}

void ChatRoomPanel::Join(int32_t row) {
    ServerAddress target{};
    bool needPass = false;
    {
        RowsLock guard(*this);
        const ServerRecord* record =
            row >= 0 && row < parts.list.Count() ? parts.list.RecordAt(row) : nullptr;
        if (!record)
            return;
        const ServerRecord copy = records.Copy(record);
        target = JoinTarget(copy, parts.state.currentGame);
        needPass = copy.info.needPass != 0;
    }
    // The dialog runs without the lock: the scheduler's records keep arriving meanwhile.
    JoinServer(parts.host, target, needPass);
}

} // namespace Portico
