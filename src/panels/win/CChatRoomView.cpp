#include "panels/win/CChatRoomView.h"

#include "browser/ServerRowText.h"
#include "browser/win/BrowserPaint.h"
#include "browser/win/ChildWindows.h"
#include "browser/win/FPSFrame.h"
#include "common/win/HostBinding.h"
#include "common/win/LanguageLibrary.h"
#include "common/win/SkinLibrary.h"
#include "utils/win/WideText.h"

#include <commctrl.h>

namespace Portico {
namespace {

constexpr uint32_t kTitleText = 1;
constexpr uint32_t kListText = 2;
constexpr uint32_t kRefreshText = 3;

constexpr ListColumn kColumns[kRoomColumns] = {{3002, LVCFMT_LEFT, 280},
                                               {3003, LVCFMT_LEFT, 120},
                                               {3004, LVCFMT_LEFT, 95},
                                               {3006, LVCFMT_RIGHT, 50},
                                               {3005, LVCFMT_RIGHT, 60}};
// The browser's drawing of each of the panel's columns after the first.
constexpr int kDrawnAs[kRoomColumns] = {kColumnName, kColumnMap, kColumnGameType, kColumnTime,
                                        kColumnPlayers};

Rect ClientRect(HWND parent, const RECT& screen) {
    RECT r = screen;
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return Rect{r.left, r.top, r.right, r.bottom};
}

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

HWND MakeChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style,
               const Rect& at, int id) {
    HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.left,
                                 at.top, at.Width(), at.Height(), parent,
                                 reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
    if (child)
        SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return child;
}

} // namespace

CChatRoomView::CChatRoomView(const ChatRoomViewParts& viewParts)
    : parts(viewParts), panel(ChatRoomParts{parts.state, parts.scheduler, parts.source, listRows,
                                            flags, *this, parts.browserHost, *this}) {}

bool CChatRoomView::Attach() {
    return SubclassWindow(parts.host.FindHostView("CChatRoomView"));
}

void CChatRoomView::Show(const std::wstring& name, HICON icon) {
    if (!Hwnd())
        return;
    if (HWND roomInfo = GetDlgItem(Hwnd(), kHostRoomInfo))
        ShowWindow(roomInfo, SW_HIDE);
    if (!listButton)
        CreateControls();
    gameName = name;
    gameIcon = icon;
    panel.Show();
    ShowWindow(openButton, SW_SHOW);
}

void CChatRoomView::Hide() {
    if (!listButton)
        return;
    KillTimer(Hwnd(), kAnimationTimer);
    panel.Hide();
    DestroyControls();
}

void CChatRoomView::CreateControls() {
    SetTimer(Hwnd(), kAnimationTimer, 200, nullptr);
    HWND label = GetDlgItem(Hwnd(), kHostRoomLabel);
    const RoomButtons at = ChatRoomLayout::PlaceButtons(ClientRect(Hwnd(), ScreenRect(label)));
    listButton =
        MakeChild(Hwnd(), WC_BUTTONW, Text(kListText), BS_PUSHBUTTON, at.list, kListButton);
    refreshButton = MakeChild(Hwnd(), WC_BUTTONW, Text(kRefreshText), BS_PUSHBUTTON, at.refresh,
                              kRefreshButton);
    openButton = MakeChild(Hwnd(), WC_BUTTONW, Text(kTitleText), BS_OWNERDRAW, at.openBrowser,
                           kOpenBrowserButton);
    HWND control = CreateWindowExW(
        0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
        0, 0, 0, 0, Hwnd(), reinterpret_cast<HMENU>(intptr_t(kList)), nullptr, nullptr);
    list.Subclass(control);
    listRows.Attach(control);
    chatPane = GetDlgItem(Hwnd(), kHostChatPane);
    if (chatPane)
        chatRect = ScreenRect(chatPane);
    if (!images.Built()) {
        titleColour = parts.skin.GetColor(L"region_text");
        HDC screen = GetDC(nullptr);
        const Rect button = ClientRect(Hwnd(), ScreenRect(openButton));
        images.Build(screen, SIZE{button.Width(), button.Height()}, Text(kTitleText),
                     parts.skin.GetColor(L"dialogbg"), titleColour);
        ReleaseDC(nullptr, screen);
    }
    SetUpList();
    splitter.SetPanes(Hwnd(), list.Hwnd(), chatPane);
    PlaceOpenBrowser();
}

void CChatRoomView::SetUpList() {
    const HWND control = list.Hwnd();
    SendMessageW(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    const DWORD styles = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    const COLORREF even = parts.skin.GetColor(L"listview_bk");
    listTextColour = parts.skin.GetColor(L"listview_text");
    SetListColours(control, even, listTextColour);
    list.SetColours(even, parts.skin.GetColor(L"listview_bk1"));
    std::wstring texts[kRoomColumns];
    for (int i = 0; i < kRoomColumns; ++i)
        texts[i] = Text(kColumns[i].textId);
    InsertListColumns(control, kColumns, kRoomColumns, texts);
}

void CChatRoomView::DestroyControls() {
    splitter.Enable(false);
    splitter.SetPanes(Hwnd(), nullptr, nullptr);
    if (chatPane && chatRect.bottom > chatRect.top)
        PlaceWindow(chatPane, ClientRect(Hwnd(), chatRect));
    HWND control = list.Hwnd();
    list.UnsubclassWindow();
    listRows.Attach(nullptr);
    for (HWND* window : {&control, &listButton, &openButton, &refreshButton}) {
        if (*window)
            DestroyWindow(*window);
        *window = nullptr;
    }
    listShown = false;
}

void CChatRoomView::PlaceOpenBrowser() {
    if (!openButton || !listButton)
        return;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    PlaceWindow(openButton, ChatRoomLayout::PlaceOpenBrowser(
                                ClientRect(Hwnd(), ScreenRect(listButton)), client.right));
    openButtonRect = ScreenRect(openButton);
}

void CChatRoomView::Layout() {
    if (!chatPane || !list.Hwnd())
        return;
    const Rect whole = ClientRect(Hwnd(), chatRect);
    splitter.Enable(listShown);
    if (!listShown) {
        ShowWindow(list.Hwnd(), SW_HIDE);
        ShowWindow(refreshButton, SW_HIDE);
        PlaceWindow(chatPane, whole);
        return;
    }
    const Rect current = ClientRect(Hwnd(), ScreenRect(list.Hwnd()));
    const RoomPanes panes = ChatRoomLayout::PlacePanes(whole, current.Height());
    PlaceWindow(chatPane, panes.chat);
    ShowWindow(refreshButton, SW_SHOW);
    ShowWindow(list.Hwnd(), SW_SHOW);
    PlaceWindow(list.Hwnd(), panes.list);
    splitter.Layout();
}

LRESULT CChatRoomView::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    images.Release();
    handled = false;
    return 0;
}

LRESULT CChatRoomView::OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT result = DefWindowProc(message, wParam, lParam);
    if (!listButton || !chatPane)
        return result;
    // The chat pane's whole place: from the list's top while the list sits above it, as a
    // host that lays out nothing itself leaves it where the panel put it.
    chatRect = ScreenRect(chatPane);
    if (listShown && list.Hwnd())
        chatRect.top = ScreenRect(list.Hwnd()).top;
    PlaceOpenBrowser();
    Layout();
    return result;
}

LRESULT CChatRoomView::OnDrawItem(UINT, WPARAM wParam, LPARAM lParam, bool& handled) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (wParam != kOpenBrowserButton || !draw || draw->hwndItem != openButton) {
        handled = false;
        return 0;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    int image = frame;
    if (draw->itemState & ODS_SELECTED)
        image = RoomButtonImages::kPressed;
    else if (PtInRect(&openButtonRect, cursor))
        image = RoomButtonImages::kHover;
    images.Draw(draw->hDC, image);
    return TRUE;
}

LRESULT CChatRoomView::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if (wParam == kAnimationTimer) {
        frame = (frame + 1) % RoomButtonImages::kFrames;
        if (openButton)
            InvalidateRect(openButton, nullptr, FALSE);
    } else if (wParam == ChatRoomControls::kRetryTimer) {
        panel.RetryTimer();
    } else {
        handled = false;
    }
    return 0;
}

LRESULT CChatRoomView::OnPrivate(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    return panel.Send(message, wParam, lParam);
}

LRESULT CChatRoomView::OnCommand(UINT, WPARAM wParam, LPARAM, bool& handled) {
    const WORD id = LOWORD(wParam), code = HIWORD(wParam);
    if (code != BN_CLICKED || !listButton) {
        handled = false;
        return 0;
    }
    if (id == kListButton)
        panel.ToggleList();
    else if (id == kRefreshButton)
        panel.Refresh();
    else if (id == kOpenBrowserButton)
        OpenBrowser();
    else
        handled = false;
    return 0;
}

void CChatRoomView::OpenBrowser() {
    FPSFrame& browser = parts.browser;
    if (!browser.GetHwnd())
        return;
    const std::wstring title = Text(kTitleText) + L": " + gameName;
    SetWindowTextW(browser.GetHwnd(), title.c_str());
    SendMessageW(browser.GetHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(gameIcon));
    SendMessageW(browser.GetHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(gameIcon));
    browser.Show();
}

LRESULT CChatRoomView::OnListDraw(int, NMHDR* header, bool& handled) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        handled = false; // the list's own stages, reflected to it
        return 0;
    }
    const int row = int(draw->nmcd.dwItemSpec), column = draw->iSubItem;
    if (column < 0 || column >= kRoomColumns)
        return CDRF_SKIPDEFAULT;
    const HWND control = list.Hwnd();
    ChatRoomPanel::RowsLock guard(panel);
    const ServerRecord* record = listRows.RecordAt(row);
    if (!record)
        return CDRF_SKIPDEFAULT;
    const ServerRecord copy = panel.Records().Copy(record);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageW(control, LVM_GETSUBITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&cell));
    const std::u16string text = ListCellText(control, row, column);
    if (column == kRoomColumnName) {
        // The first column's bounds are the whole row's.
        cell.right = cell.left + int(SendMessageW(control, LVM_GETCOLUMNWIDTH, 0, 0));
        DrawFlagAndName(draw->nmcd.hdc, cell, copy, text, flags, listTextColour);
    } else {
        DrawServerCell(draw->nmcd.hdc, cell, kDrawnAs[column], copy, text, flags, nullptr,
                       listTextColour);
    }
    return CDRF_SKIPDEFAULT;
}

LRESULT CChatRoomView::OnDoubleClick(int, NMHDR*, bool&) {
    const DWORD position = GetMessagePos();
    LVHITTESTINFO hit{};
    hit.pt = POINT{short(LOWORD(position)), short(HIWORD(position))};
    ScreenToClient(list.Hwnd(), &hit.pt);
    const int row = int(SendMessageW(list.Hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && (hit.flags & LVHT_ONITEM))
        panel.Join(row);
    return 0;
}

LRESULT CChatRoomView::OnColumnClick(int, NMHDR* header, bool&) {
    panel.SortColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    return 0;
}

LRESULT CChatRoomView::OnMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = listButton && splitter.Handle(message, wParam, lParam);
    return TRUE;
}

std::wstring CChatRoomView::Text(uint32_t textId) {
    return parts.language.GetText(parts.state.language, textId);
}

void CChatRoomView::ShowListButton(bool shown) {
    if (listButton)
        ShowWindow(listButton, shown ? SW_SHOW : SW_HIDE);
}

void CChatRoomView::ShowList(bool shown) {
    listShown = shown;
    Layout();
}

void CChatRoomView::StartTimer(uint32_t id, uint32_t ms) {
    SetTimer(Hwnd(), id, ms, nullptr);
}

void CChatRoomView::StopTimer(uint32_t id) {
    if (Hwnd())
        KillTimer(Hwnd(), id);
}

void* CChatRoomView::GetFlagIcon(uint16_t code) {
    return parts.language.GetFlagIcon(code);
}

intptr_t CChatRoomView::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const HWND view = Hwnd(); // read once: the view may go on the window thread meanwhile
    return view ? SendMessageW(view, message, wParam, lParam) : 0;
}

} // namespace Portico
