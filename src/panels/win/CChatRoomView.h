// The chat-room panel: takes over the host's chat-room view and, while the user is in a room
// of a catalogue game, shows that game's servers above the chat, with the list, refresh and
// open-browser buttons beside the room's label. The rules live in ChatRoomPanel; this class
// makes the controls, lays them out, draws and forwards.
#pragma once

#include "browser/FlagCache.h"
#include "browser/win/CHorSplitter.h"
#include "browser/win/CListViewCustom.h"
#include "browser/win/ListViewRows.h"
#include "common/Messages.h"
#include "panels/ChatRoomLayout.h"
#include "panels/ChatRoomPanel.h"
#include "panels/win/RoomButtonImages.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <functional>
#include <string>

namespace Portico {

class FPSFrame;
class HostBinding;
class LanguageLibrary;
class SkinLibrary;

// What the panel works with; every part outlives it.
struct ChatRoomViewParts {
    PluginState& state;
    LanguageLibrary& language;
    SkinLibrary& skin;
    HostBinding& host;
    QueryScheduler& scheduler; // the room scheduler
    RoomServerSource& source;  // the server-list cache
    BrowserHost& browserHost;
    FPSFrame& browser;
};

class CChatRoomView : public Utils::WindowImplT<CChatRoomView>,
                      private ChatRoomControls,
                      private FlagSource,
                      private MessageWindow {
public:
    static constexpr int kListButton = 1150;
    static constexpr int kOpenBrowserButton = 1151;
    static constexpr int kList = 1152;
    static constexpr int kRefreshButton = 1153;
    static constexpr UINT_PTR kAnimationTimer = 1199;

    explicit CChatRoomView(const ChatRoomViewParts& parts);

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    PORTICO_MESSAGE_HANDLER(WM_SIZE, OnSize)
    PORTICO_MESSAGE_HANDLER(WM_DRAWITEM, OnDrawItem)
    PORTICO_MESSAGE_HANDLER(WM_TIMER, OnTimer)
    PORTICO_MESSAGE_HANDLER(kMsgServerRecord, OnPrivate)
    PORTICO_MESSAGE_HANDLER(kMsgRoomServers, OnPrivate)
    PORTICO_MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    PORTICO_NOTIFY_HANDLER(kList, NM_CUSTOMDRAW, OnListDraw)
    PORTICO_NOTIFY_HANDLER(kList, NM_DBLCLK, OnDoubleClick)
    PORTICO_NOTIFY_HANDLER(kList, LVN_COLUMNCLICK, OnColumnClick)
    PORTICO_MESSAGE_HANDLER(WM_SETCURSOR, OnMouse)
    PORTICO_MESSAGE_HANDLER(WM_LBUTTONDOWN, OnMouse)
    PORTICO_MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouse)
    PORTICO_MESSAGE_HANDLER(WM_LBUTTONUP, OnMouse)
    PORTICO_REFLECT_NOTIFICATIONS()
    PORTICO_END_MSG_MAP()

    // Subclasses the host's "CChatRoomView"; false when it is missing or already taken.
    bool Attach();
    void Show(const std::wstring& gameName, HICON gameIcon);
    void Hide();
    // The host is closing: no room list is fetched any more. pump handles the messages sent
    // to this thread while a fetch ends.
    void Close(const std::function<void()>& pump) { panel.Close(pump); }

    bool IsShown() const { return panel.IsShown(); }
    const std::wstring& GameName() const { return gameName; }

private:
    static constexpr int kHostRoomInfo = 1100; // the host's own control that the panel replaces
    static constexpr int kHostRoomLabel = 1120;
    static constexpr int kHostChatPane = 1023;

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPrivate(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnListDraw(int, NMHDR*, bool&);
    LRESULT OnDoubleClick(int, NMHDR*, bool&);
    LRESULT OnColumnClick(int, NMHDR*, bool&);
    LRESULT OnMouse(UINT, WPARAM, LPARAM, bool&);

    void CreateControls();
    void SetUpList();
    void DestroyControls();
    void PlaceOpenBrowser();
    void Layout();
    void OpenBrowser();
    std::wstring Text(uint32_t textId);

    // ChatRoomControls
    void ShowListButton(bool shown) override;
    void ShowList(bool shown) override;
    void StartTimer(uint32_t id, uint32_t ms) override;
    void StopTimer(uint32_t id) override;
    // FlagSource
    void* GetFlagIcon(uint16_t code) override;
    // MessageWindow: how the room scheduler and the list's fetch reach this view.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    ChatRoomViewParts parts;
    ServerListRows listRows;
    FlagCache flags{*this};
    ChatRoomPanel panel;
    CListViewCustom<true, 16> list;
    CHorSplitter splitter{ChatRoomLayout::kBarHeight, ChatRoomLayout::kMinPane,
                          ChatRoomLayout::kMinPane};
    RoomButtonImages images;
    HWND listButton = nullptr, openButton = nullptr, refreshButton = nullptr, chatPane = nullptr;
    RECT chatRect{};       // the chat pane's whole place, screen coordinates
    RECT openButtonRect{}; // screen coordinates, for the hover test
    COLORREF titleColour = 0, listTextColour = 0;
    int frame = 0;
    bool listShown = false;
    std::wstring gameName;
    HICON gameIcon = nullptr;
};

} // namespace Portico
