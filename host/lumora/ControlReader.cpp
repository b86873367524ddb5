#include "ControlReader.h"

namespace Lumora {
namespace {

// Longer texts are cut: what the script compares is short.
constexpr int kTextBound = 512;

void AddSubtree(HWND tree, HTREEITEM first, int depth, std::vector<TreeNode>& nodes) {
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        nodes.push_back({item, depth});
        AddSubtree(tree, TreeView_GetChild(tree, item), depth + 1, nodes);
    }
}

} // namespace

std::wstring WindowText(HWND window) {
    wchar_t text[kTextBound] = {};
    GetWindowTextW(window, text, kTextBound);
    return text;
}

std::vector<TreeNode> TreeNodes(HWND tree) {
    std::vector<TreeNode> nodes;
    AddSubtree(tree, TreeView_GetRoot(tree), 0, nodes);
    return nodes;
}

std::wstring TreeNodeText(HWND tree, HTREEITEM item) {
    wchar_t text[kTextBound] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = kTextBound;
    SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(&data));
    return text;
}

std::wstring ListCellText(HWND list, int row, int column) {
    wchar_t text[kTextBound] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = kTextBound;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&cell));
    return text;
}

std::wstring HeaderText(HWND header, int index) {
    wchar_t text[kTextBound] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = kTextBound;
    SendMessageW(header, HDM_GETITEMW, WPARAM(index), LPARAM(&item));
    return text;
}

int ListRowCount(HWND list) {
    return list ? ListView_GetItemCount(list) : 0;
}

} // namespace Lumora
