// The plug-in's main browser window, a modeless dialog on template 2001 that starts hidden.
// Its closing box hides it; only the host's exit destroys it. The rules live in ServerBrowser
// and BrowserCommands; this class wires the controls to them and draws.
#pragma once

#include "browser/BrowserCommands.h"
#include "browser/ServerBrowser.h"
#include "browser/win/CHorSplitter.h"
#include "browser/win/CListViewCustom.h"
#include "browser/win/ListViewRows.h"
#include "common/Messages.h"
#include "common/ResourceIds.h"
#include "storage/UserStore.h"
#include "utils/win/DialogImplT.h"
#include "utils/win/MessageMap.h"

#include <string>

namespace Portico {

class HostBinding;
class LanguageLibrary;
class SkinLibrary;

// What the window works with; every part outlives it.
struct BrowserWindowParts {
    PluginState& state;
    LanguageLibrary& language;
    SkinLibrary& skin;
    HostBinding& host;
    UserStore& userStore;
    QueryScheduler& scheduler; // the browser scheduler
    ServerStore& store;
    RecordAccess& records;
    BrowserHost& browserHost;
};

class FPSFrame : public Utils::DialogImplT<FPSFrame>,
                 private BrowserView,
                 private FlagSource,
                 private MessageWindow {
public:
    static constexpr int kDialogId = IDD_BROWSER;

    explicit FPSFrame(const BrowserWindowParts& parts);
    ~FPSFrame() override;

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    PORTICO_MESSAGE_HANDLER(WM_SIZE, OnSize)
    PORTICO_MESSAGE_HANDLER(WM_TIMER, OnTimer)
    PORTICO_MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    PORTICO_MESSAGE_HANDLER(WM_CLOSE, OnClose)
    PORTICO_MESSAGE_HANDLER(WM_CTLCOLORDLG, OnColourDialog)
    PORTICO_MESSAGE_HANDLER(kMsgResortByPing, OnPrivate)
    PORTICO_MESSAGE_HANDLER(kMsgServerRecord, OnPrivate)
    PORTICO_MESSAGE_HANDLER(kMsgListRefill, OnPrivate)
    PORTICO_MESSAGE_HANDLER(kMsgPlayerList, OnPrivate)
    PORTICO_MESSAGE_HANDLER(kMsgGameServer, OnPrivate)
    PORTICO_MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    PORTICO_NOTIFY_HANDLER(IDC_REGION_TREE, NM_CUSTOMDRAW, OnTreeDraw)
    PORTICO_NOTIFY_HANDLER(IDC_REGION_TREE, TVN_SELCHANGEDW, OnTreeSelect)
    PORTICO_NOTIFY_HANDLER(IDC_SERVER_LIST, LVN_COLUMNCLICK, OnColumnClick)
    PORTICO_NOTIFY_HANDLER(IDC_SERVER_LIST, NM_RCLICK, OnRightClick)
    PORTICO_NOTIFY_HANDLER(IDC_SERVER_LIST, NM_DBLCLK, OnDoubleClick)
    PORTICO_NOTIFY_HANDLER(IDC_SERVER_LIST, LVN_ITEMCHANGED, OnItemChanged)
    PORTICO_NOTIFY_HANDLER(IDC_SERVER_LIST, NM_CUSTOMDRAW, OnServerDraw)
    PORTICO_NOTIFY_HANDLER(IDC_TABS, TCN_SELCHANGE, OnTabChange)
    PORTICO_MESSAGE_HANDLER(WM_SETCURSOR, OnMouse)
    PORTICO_MESSAGE_HANDLER(WM_LBUTTONDOWN, OnMouse)
    PORTICO_MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouse)
    PORTICO_MESSAGE_HANDLER(WM_LBUTTONUP, OnMouse)
    PORTICO_REFLECT_NOTIFICATIONS()
    PORTICO_END_MSG_MAP()

    virtual BOOL PreTranslateMessage(MSG* message);
    virtual void Show();
    virtual void Hide();
    virtual void Resize(int width, int height);
    virtual HWND GetHwnd() { return Hwnd(); }

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnColourDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPrivate(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnTreeDraw(int, NMHDR*, bool&);
    LRESULT OnTreeSelect(int, NMHDR*, bool&);
    LRESULT OnColumnClick(int, NMHDR*, bool&);
    LRESULT OnRightClick(int, NMHDR*, bool&);
    LRESULT OnDoubleClick(int, NMHDR*, bool&);
    LRESULT OnItemChanged(int, NMHDR*, bool&);
    LRESULT OnServerDraw(int, NMHDR*, bool&);
    LRESULT OnTabChange(int, NMHDR*, bool&);
    LRESULT OnMouse(UINT, WPARAM, LPARAM, bool&);

    // Start-up steps.
    void LoadResources();
    void AttachControls();
    void BuildServerMenu();
    void FillTabsAndCombo();
    void BuildTree(uint32_t mask);
    void SetUpColumns();
    void Layout();
    void NarrowColumns();
    void ShowMenu(const std::vector<uint32_t>& commands);
    std::wstring Text(uint32_t textId);
    std::wstring MenuText(uint32_t commandId);

    // BrowserView
    void SetRefreshText(uint32_t textId) override;
    void EnableRefresh(bool enabled) override;
    void SetActionText(uint32_t commandId) override;
    void ShowTree(bool shown) override;
    void StartTimer(uint32_t id, uint32_t ms) override;
    void StopTimer(uint32_t id) override;
    // FlagSource
    void* GetFlagIcon(uint16_t code) override;
    // MessageWindow: how the scheduler reaches this window from its threads.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    BrowserWindowParts parts;
    ServerListRows serverRows;
    PlayerListRows playerRows;
    FlagCache flags{*this};
    ServerBrowser browser;
    BrowserCommands commands;
    CListViewCustom<true, 16> serverList;
    CListViewCustom<false, 14> playerList;
    CHorSplitter splitter{5, 40, 0};
    HWND pingCombo = nullptr, refreshButton = nullptr, actionButton = nullptr, tree = nullptr,
         tab = nullptr;
    HMENU serverMenu = nullptr;
    COLORREF listTextColour = 0, backgroundColour = 0;
    HBRUSH backgroundBrush = nullptr;
    HBITMAP lockIcon = nullptr;
    HDC lockDc = nullptr; // holds lockIcon, made once
    HGDIOBJ lockDcBitmap = nullptr;
    bool initialised = false;
};

} // namespace Portico
