// The chat-room panel's rules without the window: while the user is in a room of a catalogue
// game, the room's server list is fetched, queried by the room scheduler and listed by round
// trip once the answers are in; unanswered servers are asked again for a few seconds; a column
// click sorts and a double click joins. The Win32 panel forwards its messages here and draws what
// the rows hold. All of it runs on the window's thread; the private messages reach it there by
// send.
#pragma once

#include "browser/BrowserHost.h"
#include "browser/ServerRowModel.h"
#include "common/MessageWindow.h"
#include "common/PluginState.h"
#include "panels/ChatRoomControls.h"
#include "panels/ColumnMappedRows.h"
#include "panels/RoomListFetcher.h"
#include "panels/SchedulerRecords.h"
#include "query/QueryScheduler.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <set>

namespace Portico {

// The panel's list: flag and name, map, game type, round trip, players.
enum RoomColumn : int32_t {
    kRoomColumnName = 0,
    kRoomColumnMap,
    kRoomColumnGameType,
    kRoomColumnTime,
    kRoomColumnPlayers,
    kRoomColumns
};

// What the panel works with; every part outlives it.
struct ChatRoomParts {
    PluginState& state;
    QueryScheduler& scheduler; // the room scheduler
    RoomServerSource& source;  // the server-list cache
    ServerRows& list;          // the list control, in the panel's five columns
    FlagCache& flags;
    ChatRoomControls& controls;
    BrowserHost& host;     // the password dialog and the game launch
    MessageWindow& window; // the panel's window: where the fetched list is sent
};

class ChatRoomPanel : public MessageWindow {
public:
    static constexpr uint32_t kRetryMs = 1000;
    static constexpr int32_t kRetryTicks = 5; // so an unanswered server is asked 4 more times
    static constexpr uint32_t kAllRegions = 0xFFFF;

    explicit ChatRoomPanel(const ChatRoomParts& parts);

    // kMsgServerRecord and kMsgRoomServers; 0 for any other.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // A room of a catalogue game was entered. Its list is fetched; a room entered while the
    // panel shows another starts afresh, and the other room's list is dropped wherever it is.
    void Show();
    // The room was left: rows, records, timers and any list on its way are dropped.
    void Hide();
    bool IsShown() const { return shown; }
    bool ListShown() const { return listShown; }
    // The list button: the list is shown or hidden.
    void ToggleList();
    // The refresh button: the servers of the last list are queried again.
    void Refresh();
    void RetryTimer();
    void SortColumn(int32_t column);
    void Join(int32_t row);
    // The host is closing: no list is fetched any more (see RoomListFetcher::Stop).
    void Close(const std::function<void()>& pump) { fetcher.Stop(pump); }

    // Held while the rows and the records behind them are used (drawing too).
    class RowsLock {
    public:
        explicit RowsLock(ChatRoomPanel& panel) : guard(panel.lock) {}

    private:
        std::lock_guard<std::recursive_mutex> guard;
    };

    ServerRowModel& Rows() { return rows; }
    RecordAccess& Records() { return records; }
    int32_t SortKey() const { return sortKey; }

private:
    void ShowRecord(const ServerRecord* record);
    void ServersReady(size_t count, const ServerAddress* servers);
    void Query(size_t count, const ServerAddress* servers);
    void SettleOrder();
    void ClearRoom();

    ChatRoomParts parts;
    SchedulerRecords records;
    ColumnMappedRows mapped;
    ServerRowModel rows;
    RoomListFetcher fetcher;
    // Guards the rows and the records behind them, and sortKey.
    std::recursive_mutex lock;
    int32_t sortKey = 0; // 0, or plus or minus (column + 1)
    int32_t retries = 0;
    std::set<ServerAddress> roomServers; // the current list's servers, with the game id
    bool shown = false;
    bool listShown = false;
    bool schedulerSet = false;
};

} // namespace Portico
