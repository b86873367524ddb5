#include "BrowserDump.h"

#include "BrowserWindow.h"
#include "ControlReader.h"
#include "HostLog.h"
#include "ScriptDriver.h"

#include "common/ResourceIds.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace Lumora {
namespace {

constexpr int kServerColumns = 6;
constexpr int kPlayerColumns = 3;

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::wstring Cells(HWND list, int row, int columns) {
    std::wstring cells;
    for (int column = 0; column < columns; ++column)
        cells += L" " + Quoted(ListCellText(list, row, column));
    return cells;
}

void DumpControls(HWND browser) {
    Print(Format(L"browser-tab: %d", int(TabCtrl_GetCurSel(GetDlgItem(browser, IDC_TABS)))));
    Print(Format(L"browser-ping: %d",
                 int(SendDlgItemMessageW(browser, IDC_PING_COMBO, CB_GETCURSEL, 0, 0))));
    for (int id : {IDC_REFRESH, IDC_SETTINGS, IDC_ACTION}) {
        HWND button = GetDlgItem(browser, id);
        Print(Format(L"browser-button %d enabled=%d ", id, IsWindowEnabled(button) ? 1 : 0) +
              Quoted(WindowText(button)));
    }
    Print(L"browser-title: " + Quoted(WindowText(browser)));
}

void DumpTree(HWND tree) {
    for (const TreeNode& node : TreeNodes(tree)) {
        TVITEMW item{};
        item.mask = TVIF_PARAM | TVIF_STATE;
        item.hItem = node.item;
        item.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
        SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(&item));
        Print(Format(L"tree: %d ", node.depth) + Quoted(TreeNodeText(tree, node.item)) +
              Format(L" data=0x%llx selected=%d expanded=%d",
                     (unsigned long long)(ULONG_PTR)item.lParam,
                     (item.state & TVIS_SELECTED) ? 1 : 0, (item.state & TVIS_EXPANDED) ? 1 : 0));
    }
}

void DumpServerRows(HWND list) {
    for (int row = 0; row < ListRowCount(list); ++row) {
        const UINT state = ListView_GetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED);
        Print(Format(L"row: %d", row) + Cells(list, row, kServerColumns) +
              Format(L" selected=%d focused=%d", (state & LVIS_SELECTED) ? 1 : 0,
                     (state & LVIS_FOCUSED) ? 1 : 0));
    }
}

void DumpPlayers(HWND list) {
    for (int row = 0; row < ListRowCount(list); ++row)
        Print(Format(L"player: %d", row) + Cells(list, row, kPlayerColumns));
}

void DumpHeaders(HWND list) {
    HWND header = list ? ListView_GetHeader(list) : nullptr;
    const int count = header ? Header_GetItemCount(header) : 0;
    for (int index = 0; index < count; ++index)
        Print(Format(L"header: %d ", index) + Quoted(HeaderText(header, index)));
}

} // namespace

void DumpBrowser() {
    HWND browser = FindBrowser();
    if (!browser)
        return;
    DumpControls(browser);
    DumpTree(GetDlgItem(browser, IDC_REGION_TREE));
    DumpServerRows(GetDlgItem(browser, IDC_SERVER_LIST));
    DumpPlayers(GetDlgItem(browser, IDC_PLAYER_LIST));
    DumpHeaders(GetDlgItem(browser, IDC_SERVER_LIST));
}

} // namespace Lumora
