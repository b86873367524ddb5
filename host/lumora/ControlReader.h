// Reads what the common controls of the plug-in's windows hold: texts, tree nodes, cells.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace Lumora {

struct TreeNode {
    HTREEITEM item;
    int depth; // 0 for a root
};

std::wstring WindowText(HWND window);
// Every node of the tree, collapsed ones included, in the order the tree shows them.
std::vector<TreeNode> TreeNodes(HWND tree);
std::wstring TreeNodeText(HWND tree, HTREEITEM item);
std::wstring ListCellText(HWND list, int row, int column);
std::wstring HeaderText(HWND header, int index);
int ListRowCount(HWND list);

} // namespace Lumora
