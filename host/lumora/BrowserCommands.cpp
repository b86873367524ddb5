#include "BrowserCommands.h"

#include "BrowserWindow.h"
#include "ControlReader.h"
#include "HostLog.h"
#include "MouseInput.h"
#include "ScriptDriver.h"
#include "ScriptWords.h"

#include "common/ResourceIds.h"
#include "utils/ParseNumber.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <sstream>
#include <vector>

namespace Lumora {
namespace {

constexpr unsigned kWaitMs = 10000;

bool Refuse(const std::wstring& why) {
    Print(why);
    return false;
}

// The whitespace-separated words of text as non-negative numbers; false when one is not.
bool ReadNumbers(const std::string& text, std::vector<int>& numbers) {
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        int number = 0;
        if (!Utils::ParseDecimal(word, number) || number < 0)
            return false;
        numbers.push_back(number);
    }
    return true;
}

bool ClickTreeNode(HWND tree, HTREEITEM item) {
    HTREEITEM parent = TreeView_GetParent(tree, item);
    if (parent && !(TreeView_GetItemState(tree, parent, TVIS_EXPANDED) & TVIS_EXPANDED))
        TreeView_Expand(tree, parent, TVE_EXPAND);
    TreeView_EnsureVisible(tree, item);
    RECT rect{};
    memcpy(&rect, &item, sizeof(item)); // the message reads the item from the rectangle
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, LPARAM(&rect)) ||
        !ClickAt(tree, rect, MouseClick::Left))
        return Refuse(L"tree: the node has no place on the screen");
    return TreeView_GetSelection(tree) == item || Refuse(L"tree: the click did not select it");
}

bool ClickTree(const std::string& label) {
    HWND tree = BrowserControl(IDC_REGION_TREE);
    const std::wstring wanted = Utils::WideFromUtf8(label);
    for (const TreeNode& node : TreeNodes(tree))
        if (TreeNodeText(tree, node.item) == wanted)
            return ClickTreeNode(tree, node.item);
    return Refuse(L"tree: no node \"" + wanted + L"\"");
}

bool ClickTab(int index) {
    HWND tabs = BrowserControl(IDC_TABS);
    RECT rect{};
    if (!tabs || index >= TabCtrl_GetItemCount(tabs) || !TabCtrl_GetItemRect(tabs, index, &rect))
        return Refuse(Format(L"tab: no tab %d", index));
    ClickAt(tabs, rect, MouseClick::Left);
    return TabCtrl_GetCurSel(tabs) == index || Refuse(L"tab: the click did not select it");
}

bool ClickButton(int id) {
    HWND button = BrowserControl(id);
    if (!button)
        return Refuse(Format(L"button: no control %d", id));
    // A user cannot click a disabled button; the button itself would not refuse the message.
    if (!IsWindowEnabled(button))
        return Refuse(Format(L"button: %d is disabled", id));
    SendMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool PickComboEntry(int id, int entry) {
    HWND combo = BrowserControl(id);
    if (!combo || entry >= int(SendMessageW(combo, CB_GETCOUNT, 0, 0)))
        return Refuse(Format(L"combo: no entry %d in control %d", entry, id));
    SendMessageW(combo, CB_SETCURSEL, WPARAM(entry), 0);
    // What the combo box tells its parent when a user picks from its list.
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
    return true;
}

bool ClickHeader(int index) {
    HWND list = BrowserControl(IDC_SERVER_LIST);
    HWND header = list ? ListView_GetHeader(list) : nullptr;
    RECT rect{};
    if (!header || index >= Header_GetItemCount(header) ||
        !Header_GetItemRect(header, index, &rect))
        return Refuse(Format(L"header: no column %d", index));
    return ClickAt(header, rect, MouseClick::Left) || Refuse(L"header: the column has no width");
}

// A click on the row's label in the first column, where every list takes it as on the row.
bool ClickRow(int row, MouseClick click, WPARAM keys) {
    HWND list = BrowserControl(IDC_SERVER_LIST);
    if (row >= ListRowCount(list))
        return Refuse(Format(L"row: no row %d", row));
    ListView_EnsureVisible(list, row, FALSE);
    RECT rect{};
    rect.left = LVIR_LABEL;
    if (!SendMessageW(list, LVM_GETITEMRECT, WPARAM(row), LPARAM(&rect)) ||
        !ClickAt(list, rect, click, keys))
        return Refuse(Format(L"row: row %d has no place on the screen", row));
    return true;
}

bool SelectRows(const std::vector<int>& rows) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (!ClickRow(rows[i], MouseClick::Left, i == 0 ? 0 : MK_CONTROL))
            return false;
    HWND list = BrowserControl(IDC_SERVER_LIST);
    for (int row : rows)
        if (!ListView_GetItemState(list, row, LVIS_SELECTED))
            return Refuse(Format(L"select: row %d is not selected", row));
    return true;
}

struct Command {
    const char* verb;
    size_t minimum; // numbers it takes
    size_t maximum;
    bool (*run)(const std::vector<int>& numbers);
};

const Command kCommands[] = {
    {"tab", 1, 1, [](const std::vector<int>& n) { return ClickTab(n[0]); }},
    {"button", 1, 1, [](const std::vector<int>& n) { return ClickButton(n[0]); }},
    {"combo", 2, 2, [](const std::vector<int>& n) { return PickComboEntry(n[0], n[1]); }},
    {"header", 1, 1, [](const std::vector<int>& n) { return ClickHeader(n[0]); }},
    {"select", 1, size_t(-1), SelectRows},
    {"dblclick", 1, 1,
     [](const std::vector<int>& n) { return ClickRow(n[0], MouseClick::Double, 0); }},
    {"rclick", 1, 1,
     [](const std::vector<int>& n) { return ClickRow(n[0], MouseClick::Right, 0); }},
};

const Command* FindCommand(const std::string& verb) {
    for (const Command& command : kCommands)
        if (verb == command.verb)
            return &command;
    return nullptr;
}

} // namespace

bool IsBrowserCommand(const std::string& verb) {
    return verb == "tree" || FindCommand(verb);
}

bool RunBrowserCommand(const std::string& verb, const std::string& arguments) {
    if (!FindBrowser())
        return Refuse(L"browser: no browser window");
    if (verb == "tree")
        return ClickTree(arguments);
    const Command* command = FindCommand(verb);
    std::vector<int> numbers;
    if (!command || !ReadNumbers(arguments, numbers) || numbers.size() < command->minimum ||
        numbers.size() > command->maximum)
        return Refuse(Utils::WideFromUtf8(verb) + L": wrong arguments");
    return command->run(numbers);
}

bool WaitForBrowser(const std::string& kind, const std::string& arguments) {
    std::istringstream in(arguments);
    std::string first;
    in >> first;
    int number = 0;
    if (!Utils::ParseDecimal(first, number))
        return false;
    if (kind == "rows" || kind == "players") {
        const int id = kind == "rows" ? IDC_SERVER_LIST : IDC_PLAYER_LIST;
        return PumpUntil([&] { return ListRowCount(BrowserControl(id)) >= number; }, kWaitMs);
    }
    if (kind != "text")
        return false;
    const std::wstring text = Utils::WideFromUtf8(Rest(arguments, first));
    return PumpUntil(
        [&] {
            HWND control = BrowserControl(number);
            return control && WindowText(control) == text;
        },
        kWaitMs);
}

} // namespace Lumora
