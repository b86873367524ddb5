#include "browser/win/FPSFrame.h"

#include "abi/RegionTable.h"
#include "browser/BrowserLayout.h"
#include "browser/RegionTree.h"
#include "browser/ServerRowText.h"
#include "browser/win/BrowserPaint.h"
#include "browser/win/ChildWindows.h"
#include "common/win/HostBinding.h"
#include "common/win/LanguageLibrary.h"
#include "common/win/SkinLibrary.h"
#include "utils/ResolveHost.h"
#include "utils/win/Module.h"
#include "utils/win/WideText.h"
#include "utils/win/WindowPlacement.h"

#include <commctrl.h>

#include <vector>

namespace Portico {
namespace {

constexpr uint32_t kTabTexts[] = {201, 202};
constexpr uint32_t kPingTexts[] = {1001, 1002, 1003, 1004, 1005};
constexpr int32_t kFavouritesTab = 1;

constexpr ListColumn kServerListColumns[] = {{3001, LVCFMT_LEFT, 55},  {3002, LVCFMT_LEFT, 260},
                                             {3003, LVCFMT_LEFT, 120}, {3004, LVCFMT_LEFT, 95},
                                             {3005, LVCFMT_RIGHT, 60}, {3006, LVCFMT_RIGHT, 50}};
constexpr ListColumn kPlayerListColumns[] = {
    {4001, LVCFMT_LEFT, 150}, {4002, LVCFMT_RIGHT, 80}, {4003, LVCFMT_RIGHT, 80}};
constexpr DWORD kServerListStyles = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
constexpr DWORD kPlayerListStyles = kServerListStyles | LVS_EX_TRACKSELECT;

} // namespace

FPSFrame::FPSFrame(const BrowserWindowParts& windowParts)
    : parts(windowParts),
      browser(BrowserParts{parts.state, parts.scheduler, parts.userStore.GetFavourites(),
                           parts.store, serverRows, playerRows, parts.records, flags, *this,
                           parts.browserHost, ReportEndpoint{}}),
      commands(browser, &Utils::ResolveHost) {
    flags.Clear();
}

FPSFrame::~FPSFrame() {
    if (lockDc) {
        SelectObject(lockDc, lockDcBitmap);
        DeleteDC(lockDc);
    }
    if (lockIcon)
        DeleteObject(lockIcon);
    if (backgroundBrush)
        DeleteObject(backgroundBrush);
}

BOOL FPSFrame::PreTranslateMessage(MSG* message) {
    return Hwnd() && IsDialogMessageW(Hwnd(), message);
}

void FPSFrame::Show() {
    if (!Hwnd())
        return;
    ShowWindow(Hwnd(), SW_SHOW);
    ProtocolManager* manager = parts.scheduler.Context().Protocols();
    if (GameProtocol* game = manager ? manager->GetProtocol(parts.state.currentGame) : nullptr) {
        std::wstring title = Text(game->GetPlayerColumnText());
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = LVCFMT_RIGHT;
        column.cx = 80;
        column.pszText = &title[0];
        SendMessageW(playerList.Hwnd(), LVM_SETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    }
    if (initialised)
        browser.Show(SendMessageW(tab, TCM_GETCURSEL, 0, 0) == kFavouritesTab);
}

void FPSFrame::Hide() {
    if (!Hwnd())
        return;
    browser.Hide();
    ShowWindow(Hwnd(), SW_HIDE);
}

void FPSFrame::Resize(int width, int height) {
    SetWindowPos(Hwnd(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

LRESULT FPSFrame::OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
    parts.language.TranslateDialog(parts.state.language, Hwnd(), kDialogId);
    LoadResources();
    // Read here, not when the module loads: a host name is looked up on the network.
    browser.SetReportEndpoint(ReportEndpoint::FromEnvironment());
    bool inFavourites = false;
    uint32_t filter = 0;
    parts.userStore.LoadUserStore(inFavourites, filter);
    const uint32_t mask = browser.Initialise(filter, this);
    BuildServerMenu();
    AttachControls();
    FillTabsAndCombo();
    splitter.SetPanes(Hwnd(), serverList.Hwnd(), playerList.Hwnd());
    splitter.Enable(true);
    BuildTree(mask);
    SetUpColumns();
    SendMessageW(tab, TCM_SETCURSEL, inFavourites ? kFavouritesTab : 0, 0);
    Utils::CentreOnOwner(Hwnd());
    Layout();
    NarrowColumns();
    RedrawWindow(tree, nullptr, nullptr, RDW_INVALIDATE);
    browser.OpenTab(SendMessageW(tab, TCM_GETCURSEL, 0, 0) == kFavouritesTab);
    initialised = true;
    return TRUE;
}

void FPSFrame::LoadResources() {
    backgroundColour = parts.skin.GetColor(L"dialogbg");
    listTextColour = parts.skin.GetColor(L"listview_text");
    backgroundBrush = CreateSolidBrush(backgroundColour);
    lockIcon = LoadBitmapW(Utils::ModuleInstance(), MAKEINTRESOURCEW(IDB_PADLOCK));
    lockDc = CreateCompatibleDC(nullptr);
    lockDcBitmap = SelectObject(lockDc, lockIcon);
}

void FPSFrame::AttachControls() {
    pingCombo = GetDlgItem(Hwnd(), IDC_PING_COMBO);
    refreshButton = GetDlgItem(Hwnd(), IDC_REFRESH);
    actionButton = GetDlgItem(Hwnd(), IDC_ACTION);
    tree = GetDlgItem(Hwnd(), IDC_REGION_TREE);
    tab = GetDlgItem(Hwnd(), IDC_TABS);
    serverList.Subclass(GetDlgItem(Hwnd(), IDC_SERVER_LIST));
    playerList.Subclass(GetDlgItem(Hwnd(), IDC_PLAYER_LIST));
    serverRows.Attach(serverList.Hwnd());
    playerRows.Attach(playerList.Hwnd());
}

// The servers' context menu; the remote console is offered only to users allowed it.
void FPSFrame::BuildServerMenu() {
    serverMenu = CreatePopupMenu();
    if (!serverMenu)
        return;
    AppendMenuW(serverMenu, MF_STRING, IDM_JOIN, MenuText(IDM_JOIN).c_str());
    AppendMenuW(serverMenu, MF_STRING, IDM_ADD_FAVOURITE, MenuText(IDM_ADD_FAVOURITE).c_str());
    if (parts.state.RconAllowed())
        AppendMenuW(serverMenu, MF_STRING, IDM_REMOTE_CONSOLE,
                    MenuText(IDM_REMOTE_CONSOLE).c_str());
}

void FPSFrame::FillTabsAndCombo() {
    for (int i = 0; i < 2; ++i) {
        std::wstring text = Text(kTabTexts[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = &text[0];
        SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    for (uint32_t textId : kPingTexts)
        SendMessageW(pingCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(textId).c_str()));
    SendMessageW(pingCombo, CB_SETCURSEL, 0, 0);
}

void FPSFrame::BuildTree(uint32_t mask) {
    SendMessageW(tree, TVM_SETITEMHEIGHT, 20, 0);
    const RegionTreePlan plan = RegionTree::Build(parts.state.region, parts.state.CountryCode(),
                                                  mask, parts.state.Texts(), &RegionTable::Lookup);
    std::vector<HTREEITEM> items;
    for (const RegionNode& node : plan.nodes) {
        if (node.parent >= 0)
            flags.Get(uint16_t(node.data >> 16));
        std::wstring text = node.textId ? Text(node.textId) : Utils::AsWide(node.text);
        TVINSERTSTRUCTW insert{};
        insert.hParent = node.parent < 0 ? TVI_ROOT : items[size_t(node.parent)];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = &text[0];
        insert.item.lParam = LPARAM(node.data);
        items.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
    }
    if (plan.selected < 0)
        return;
    const RegionNode& chosen = plan.nodes[size_t(plan.selected)];
    if (chosen.parent >= 0)
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND,
                     reinterpret_cast<LPARAM>(items[size_t(chosen.parent)]));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(items[size_t(plan.selected)]));
}

void FPSFrame::SetUpColumns() {
    const COLORREF even = parts.skin.GetColor(L"listview_bk");
    const COLORREF odd = parts.skin.GetColor(L"listview_bk1");
    auto setUp = [&](HWND list, DWORD styles, const ListColumn* columns, int count) {
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
        std::vector<std::wstring> texts;
        for (int i = 0; i < count; ++i)
            texts.push_back(Text(columns[i].textId));
        InsertListColumns(list, columns, count, texts.data());
        SetListColours(list, even, listTextColour);
    };
    setUp(serverList.Hwnd(), kServerListStyles, kServerListColumns,
          int(std::size(kServerListColumns)));
    setUp(playerList.Hwnd(), kPlayerListStyles, kPlayerListColumns,
          int(std::size(kPlayerListColumns)));
    serverList.SetColours(even, odd);
    playerList.SetColours(even, odd);
}

void FPSFrame::Layout() {
    if (!tab)
        return;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const Rect tabRect =
        BrowserLayout::TabRect(ChildRect(Hwnd(), tab), client.right, client.bottom);
    PlaceWindow(tab, tabRect);
    RECT display{tabRect.left, tabRect.top, tabRect.right, tabRect.bottom};
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const ListPlacement placed = BrowserLayout::PlaceLists(
        Rect{display.left, display.top, display.right, display.bottom}, ChildRect(Hwnd(), tree),
        ChildRect(Hwnd(), playerList.Hwnd()).Height(), IsWindowVisible(tree) != FALSE);
    PlaceWindow(tree, placed.tree);
    PlaceWindow(serverList.Hwnd(), placed.serverList);
    PlaceWindow(playerList.Hwnd(), placed.playerList);
    splitter.Layout();
}

void FPSFrame::NarrowColumns() {
    const int32_t width = ChildRect(Hwnd(), serverList.Hwnd()).Width();
    if (width >= BrowserLayout::kNarrowWidth)
        return;
    const auto widths = BrowserLayout::NarrowColumns(width);
    for (size_t i = 0; i < widths.size(); ++i)
        SendMessageW(serverList.Hwnd(), LVM_SETCOLUMNWIDTH, WPARAM(i + 1), widths[i]);
}

LRESULT FPSFrame::OnSize(UINT, WPARAM, LPARAM, bool&) {
    Layout();
    return 0;
}

LRESULT FPSFrame::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if (wParam == kRefreshTimer)
        browser.RefreshTimer();
    else if (wParam == kDetailTimer)
        browser.DetailTimer();
    else
        handled = false;
    return 0;
}

LRESULT FPSFrame::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    // No record reaches a window that is going.
    parts.scheduler.SetWindow(nullptr);
    KillTimer(Hwnd(), kRefreshTimer);
    KillTimer(Hwnd(), kDetailTimer);
    parts.userStore.SaveUserStore(browser.InFavourites(), parts.scheduler.GetRegionMask());
    {
        ServerBrowser::RowsLock guard(browser);
        serverRows.DeleteAll();
    }
    if (serverMenu)
        DestroyMenu(serverMenu);
    serverMenu = nullptr;
    initialised = false;
    handled = false;
    return 0;
}

LRESULT FPSFrame::OnClose(UINT, WPARAM, LPARAM, bool&) {
    Hide();
    return 0;
}

LRESULT FPSFrame::OnColourDialog(UINT, WPARAM, LPARAM, bool&) {
    return reinterpret_cast<LRESULT>(backgroundBrush);
}

LRESULT FPSFrame::OnPrivate(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    return browser.Send(message, wParam, lParam);
}

LRESULT FPSFrame::OnCommand(UINT, WPARAM wParam, LPARAM, bool& handled) {
    const WORD id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == IDC_REFRESH && code == BN_CLICKED)
        browser.Refresh();
    else if (id == IDC_PING_COMBO && code == CBN_SELCHANGE)
        browser.SelectPingLimit(int32_t(SendMessageW(pingCombo, CB_GETCURSEL, 0, 0)));
    else if (id == IDC_SETTINGS && code == BN_CLICKED)
        parts.host.RequestGameSetup(parts.state.currentGame);
    else if (id == IDC_ACTION && code == BN_CLICKED)
        commands.Action();
    else if (id >= IDM_JOIN && id <= IDM_REMOTE_CONSOLE && code == 0)
        commands.Run(id);
    else
        handled = false;
    return 0;
}

LRESULT FPSFrame::OnTreeSelect(int, NMHDR* header, bool&) {
    browser.SelectRegion(uint32_t(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.lParam));
    return 0;
}

LRESULT FPSFrame::OnTreeDraw(int, NMHDR* header, bool&) {
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    const auto item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT ||
        SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)))
        return CDRF_DODEFAULT;
    wchar_t text[257] = {};
    TVITEMW node{};
    node.mask = TVIF_TEXT | TVIF_PARAM;
    node.hItem = item;
    node.pszText = text;
    node.cchTextMax = 257;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&node));
    // The whole line from where the label starts, less the 12 pixels the drawing adds.
    RECT line{}, label{};
    *reinterpret_cast<HTREEITEM*>(&line) = item;
    *reinterpret_cast<HTREEITEM*>(&label) = item;
    SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&line));
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label));
    line.left = label.left - 12;
    SetBkColor(draw->nmcd.hdc, draw->clrTextBk);
    SetTextColor(draw->nmcd.hdc, draw->clrText);
    DrawTreeNode(draw->nmcd.hdc, line, uint32_t(node.lParam), std::u16string(Utils::AsUtf16(text)),
                 flags);
    return CDRF_SKIPDEFAULT;
}

LRESULT FPSFrame::OnColumnClick(int, NMHDR* header, bool&) {
    browser.SortColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    return 0;
}

LRESULT FPSFrame::OnRightClick(int, NMHDR*, bool&) {
    ShowMenu(commands.ContextMenu());
    return 0;
}

void FPSFrame::ShowMenu(const std::vector<uint32_t>& ids) {
    if (ids.empty())
        return;
    POINT at{};
    GetCursorPos(&at);
    if (!browser.InFavourites()) {
        parts.skin.TrackSkinPopupMenu(serverMenu, 0, at.x, at.y, Hwnd());
        return;
    }
    HMENU menu = CreatePopupMenu();
    for (uint32_t id : ids) {
        if (id == BrowserCommands::kSeparator)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, id, MenuText(id).c_str());
    }
    parts.skin.TrackSkinPopupMenu(menu, 0, at.x, at.y, Hwnd());
    DestroyMenu(menu);
}

LRESULT FPSFrame::OnDoubleClick(int, NMHDR*, bool&) {
    const DWORD position = GetMessagePos();
    LVHITTESTINFO hit{};
    hit.pt = POINT{short(LOWORD(position)), short(HIWORD(position))};
    ScreenToClient(serverList.Hwnd(), &hit.pt);
    const int row =
        int(SendMessageW(serverList.Hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && (hit.flags & LVHT_ONITEM))
        commands.Join(row);
    return 0;
}

LRESULT FPSFrame::OnItemChanged(int, NMHDR* header, bool&) {
    const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (change->uChanged == LVIF_STATE && change->iItem >= 0)
        browser.RowStateChanged(change->iItem, change->uOldState, change->uNewState);
    return 0;
}

LRESULT FPSFrame::OnServerDraw(int, NMHDR* header, bool& handled) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        handled = false; // the list's own stages
        return 0;
    }
    const int row = int(draw->nmcd.dwItemSpec), column = draw->iSubItem;
    const HWND list = serverList.Hwnd();
    ServerBrowser::RowsLock guard(browser);
    const ServerRecord* record = serverRows.RecordAt(row);
    if (!record && column == kColumnCountry)
        return CDRF_SKIPDEFAULT;
    ServerRecord copy{};
    if (record)
        copy = parts.records.Copy(record);
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETSUBITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&cell));
    if (column == kColumnCountry) // the first column's bounds are the whole row's
        cell.right = cell.left + int(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    DrawServerCell(draw->nmcd.hdc, cell, column, copy, ListCellText(list, row, column), flags,
                   lockDc, listTextColour);
    return CDRF_SKIPDEFAULT;
}

LRESULT FPSFrame::OnTabChange(int, NMHDR*, bool&) {
    browser.SelectTab(int32_t(SendMessageW(tab, TCM_GETCURSEL, 0, 0)));
    return 0;
}

LRESULT FPSFrame::OnMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = splitter.Handle(message, wParam, lParam);
    return TRUE;
}

std::wstring FPSFrame::Text(uint32_t textId) {
    return parts.language.GetText(parts.state.language, textId);
}

std::wstring FPSFrame::MenuText(uint32_t commandId) {
    return parts.language.GetMenuText(parts.state.language, commandId);
}

void FPSFrame::SetRefreshText(uint32_t textId) {
    SetWindowTextW(refreshButton, Text(textId).c_str());
}

void FPSFrame::EnableRefresh(bool enabled) {
    EnableWindow(refreshButton, enabled);
}

void FPSFrame::SetActionText(uint32_t commandId) {
    SetWindowTextW(actionButton, MenuText(commandId).c_str());
}

void FPSFrame::ShowTree(bool shown) {
    ShowWindow(tree, shown ? SW_SHOW : SW_HIDE);
    RECT treeClient{};
    GetClientRect(tree, &treeClient);
    const int32_t left = BrowserLayout::ListLeftOnEnter(shown, treeClient.right);
    for (HWND list : {serverList.Hwnd(), playerList.Hwnd()}) {
        Rect r = ChildRect(Hwnd(), list);
        r.left = left;
        PlaceWindow(list, r);
    }
    splitter.Layout();
}

void FPSFrame::StartTimer(uint32_t id, uint32_t ms) {
    SetTimer(Hwnd(), id, ms, nullptr);
}

void FPSFrame::StopTimer(uint32_t id) {
    KillTimer(Hwnd(), id);
}

void* FPSFrame::GetFlagIcon(uint16_t code) {
    return parts.language.GetFlagIcon(code);
}

intptr_t FPSFrame::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const HWND window = Hwnd();
    return window ? SendMessageW(window, message, wParam, lParam) : 0;
}

} // namespace Portico
