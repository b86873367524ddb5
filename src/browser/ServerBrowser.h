// The main browser window's rules without the window: the rows and players it shows, its two
// tabs, Refresh and its timers, the ping limit, the region selection, focus tracking, and the
// game's report of its server. The Win32 window forwards its messages and events here and
// draws what the rows hold; all of it runs on the window's thread, except the private
// messages, which a test may deliver from the scheduler's threads directly.
#pragma once

#include "browser/BrowserHost.h"
#include "browser/BrowserView.h"
#include "browser/GameServerReport.h"
#include "browser/PlayerListModel.h"
#include "browser/ReportEndpoint.h"
#include "browser/ServerRowModel.h"
#include "browser/ServerStore.h"
#include "common/MessageWindow.h"
#include "common/PluginState.h"
#include "query/QueryScheduler.h"
#include "storage/Favourites.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace Portico {

// What the browser works with; every part outlives it.
struct BrowserParts {
    PluginState& state;
    QueryScheduler& scheduler; // the browser scheduler
    Favourites& favourites;
    ServerStore& store;
    ServerRows& serverRows;
    PlayerRows& playerRows;
    RecordAccess& records;
    FlagCache& flags;
    BrowserView& view;
    BrowserHost& host;
    ReportEndpoint reports;
};

class ServerBrowser : public MessageWindow {
public:
    // Row state bits of a list change (the list control's own values).
    static constexpr uint32_t kRowFocused = 0x1;
    static constexpr uint32_t kRowSelected = 0x2;
    static constexpr uint32_t kPingLimits[] = {0, 100, 200, 300, 500}; // by ping combo entry
    static constexpr uint32_t kRefreshMs = 5000;
    static constexpr uint32_t kDetailMs = 2000;

    explicit ServerBrowser(const BrowserParts& parts);

    // The private messages 0x2000 to 0x2003 and 0x2099; 0 for any other.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // Start: the stored selection (0 = none yet) becomes the scheduler's, or the user's own
    // region; window receives the scheduler's records. Returns the mask the tree selects by.
    uint32_t Initialise(uint32_t storedMask, MessageWindow* window);
    // Where the area and play reports go from now on.
    void SetReportEndpoint(const ReportEndpoint& endpoint) { parts.reports = endpoint; }
    // Enters a tab even when it is the current one (the end of the window's start).
    void OpenTab(bool favourites);
    // The window is shown again: the lists are rebuilt for the current game.
    void Show(bool favouritesTab);
    void Hide();
    // The tab control's selection changed to index.
    void SelectTab(int32_t index);
    // A region tree node with this data was selected: region bits or a country code << 16.
    void SelectRegion(uint32_t nodeData);
    void Refresh();
    void RefreshTimer();
    void DetailTimer();
    // An entry of the ping combo; entries beyond the list change nothing.
    void SelectPingLimit(int32_t entry);
    void SortColumn(int32_t column);
    void RowStateChanged(int32_t row, uint32_t oldState, uint32_t newState);

    // Held while the rows, the records behind them, the player list or the selection are
    // used (the window's drawing and commands too): the favourites' lock, then the window's.
    // The favourites send to the window under their own lock and the window reads their
    // records, so both always take the two in this order; a scheduler's lock comes last.
    class RowsLock {
    public:
        explicit RowsLock(ServerBrowser& browser)
            : favourites(browser.parts.favourites.Lock()), window(browser.lock) {}

    private:
        std::lock_guard<std::recursive_mutex> favourites, window;
    };

    ServerRowModel& Rows() { return rows; }
    int32_t SelectedRow();
    bool InFavourites();
    int32_t SortKey();
    uint32_t PingLimit();
    const BrowserParts& Parts() const { return parts; }
    // Removes one row, keeping the focused row's index right.
    void DeleteRow(int32_t row);

private:
    void ShowRecord(const ServerRecord* record);
    void ShowPlayers(const PlayerList* list);
    void GameServer(uintptr_t wParam, intptr_t lParam);
    void ClearRows();
    void Sort(int32_t key);
    void EnterServerTab();
    void EnterFavouritesTab();
    void LeaveTab();
    void RequestPlayers();
    void StartRefresh();
    void SendReport(const std::vector<uint8_t>& datagram);
    uint32_t CurrentGame() const { return parts.state.currentGame; }

    BrowserParts parts;
    ServerRowModel rows;
    PlayerListModel players;
    GameServerReport gameServer;
    // Guards the rows and the records behind them, the player list, selectedRow,
    // selectedServer, browseFavourites, pingLimit and sortKey; taken through RowsLock only.
    std::recursive_mutex lock;
    int32_t selectedRow = -1;
    ServerAddress selectedServer{}; // ip 0 = none
    bool browseFavourites = false;
    uint32_t pingLimit = 0;
    int32_t sortKey = 0;
};

} // namespace Portico
