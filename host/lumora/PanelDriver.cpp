#include "PanelDriver.h"

#include "ControlReader.h"
#include "HostLog.h"
#include "HostViews.h"
#include "MouseInput.h"
#include "ScriptDriver.h"
#include "ScriptWords.h"

#include "utils/win/WideText.h"

#include <windows.h>

#include <commctrl.h>

namespace Lumora {
namespace {

constexpr int kRoomList = 1152;
constexpr int kRoomButtons[] = {1150, 1151, 1153}; // list, open browser, refresh

HWND RoomView() {
    return FindView(L"CChatRoomView");
}

HWND RoomList() {
    return GetDlgItem(RoomView(), kRoomList);
}

// With the cursor on the row, as a user's double click: the panel hit-tests where the
// message says the cursor was.
bool DoubleClickRow(int row) {
    HWND list = RoomList();
    if (!list || row < 0)
        return false;
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
    RECT item{};
    item.left = LVIR_LABEL;
    if (!SendMessageW(list, LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&item)))
        return false;
    return ClickAt(list, item, MouseClick::Double);
}

bool ClickHeader(int column) {
    HWND list = RoomList();
    if (!list || column < 0)
        return false;
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = kRoomList;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(RoomView(), WM_NOTIFY, kRoomList, reinterpret_cast<LPARAM>(&click));
    return true;
}

bool ClickButton(int id) {
    HWND button = GetDlgItem(RoomView(), id);
    if (!button || !IsWindowVisible(button))
        return false;
    SendMessageW(RoomView(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
}

} // namespace

bool PanelCommand(const std::string& verb, const std::string& a, const std::string& b) {
    if (verb == "buddy")
        return DoubleClickBuddy(size_t(Number(a)));
    if (verb != "room")
        return false;
    if (a == "dblclick")
        return DoubleClickRow(int(Number(b)));
    if (a == "header")
        return ClickHeader(int(Number(b)));
    if (a == "button")
        return ClickButton(int(Number(b)));
    return false;
}

void DumpPanels() {
    HWND view = RoomView();
    HWND list = RoomList();
    std::wstring buttons;
    for (int id : kRoomButtons) {
        HWND button = GetDlgItem(view, id);
        buttons += Format(L" button%d=%d", id, button && IsWindowVisible(button) ? 1 : 0);
    }
    RECT chat{};
    GetWindowRect(GetDlgItem(view, kChatPane), &chat);
    MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&chat), 2);
    RECT placed{};
    if (list) {
        GetWindowRect(list, &placed);
        MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&placed), 2);
    }
    Print(Format(L"room: list=%d list-visible=%d list-top=%ld list-bottom=%ld chat-top=%ld%ls",
                 list ? 1 : 0, list && IsWindowVisible(list) ? 1 : 0, placed.top, placed.bottom,
                 chat.top, buttons.c_str()));
    const int rows = list ? int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
    for (int row = 0; row < rows; ++row) {
        std::wstring line = Format(L"roomrow: %d", row);
        for (int column = 0; column < 5; ++column)
            line += L" \"" + ListCellText(list, row, column) + L"\"";
        Print(line);
    }
    int index = 0;
    for (const BuddyLine& buddy : BuddyLines())
        Print(Format(L"buddy: %d key=%u selected=%d \"%ls\"", index++, buddy.key,
                     buddy.selected ? 1 : 0, buddy.text.c_str()));
}

} // namespace Lumora
