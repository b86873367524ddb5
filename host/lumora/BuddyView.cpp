// The host's buddy list: lines kept in key order, a double click that joins the buddy's game,
// and the host's own handling of that command when the plug-in leaves it alone.
#include "HostLog.h"
#include "HostViews.h"
#include "MouseInput.h"

#include <map>

namespace Lumora {
namespace {

HWND BuddyBox() {
    return GetDlgItem(FindView(L"BuddyListView"), kBuddyList);
}

} // namespace

LRESULT CALLBACK BuddyListProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kBuddyList && HIWORD(wParam) == LBN_DBLCLK)
        return SendMessageW(view, WM_COMMAND, kJoinBuddyCommand, 0);
    if (message == WM_COMMAND && LOWORD(wParam) == kJoinBuddyCommand) {
        // The host's own join: it knows the buddy's game, not his server.
        const HWND box = BuddyBox();
        const LRESULT line = SendMessageW(box, LB_GETCURSEL, 0, 0);
        const LRESULT key = line == LB_ERR ? 0 : SendMessageW(box, LB_GETITEMDATA, line, 0);
        HostLog::Instance().Add(Format(L"HostJoinBuddy %u", unsigned(key)));
        return 0;
    }
    return DefWindowProcW(view, message, wParam, lParam);
}

void ShowBuddy(uint32_t buddyKey, const std::wstring& text) {
    static std::map<uint32_t, std::wstring> buddies;
    if (text.empty())
        buddies.erase(buddyKey);
    else
        buddies[buddyKey] = text;
    HWND box = BuddyBox();
    SendMessageW(box, LB_RESETCONTENT, 0, 0);
    for (const auto& buddy : buddies) {
        const LRESULT line =
            SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(buddy.second.c_str()));
        SendMessageW(box, LB_SETITEMDATA, WPARAM(line), LPARAM(buddy.first));
    }
}

bool DoubleClickBuddy(size_t index) {
    HWND box = BuddyBox();
    RECT item{};
    if (SendMessageW(box, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return false;
    return ClickAt(box, item, MouseClick::Double);
}

std::vector<BuddyLine> BuddyLines() {
    std::vector<BuddyLine> lines;
    HWND box = BuddyBox();
    const LRESULT count = SendMessageW(box, LB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(box, LB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        if (SendMessageW(box, LB_GETTEXTLEN, i, 0) < 256)
            SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back({uint32_t(SendMessageW(box, LB_GETITEMDATA, i, 0)), i == selected, text});
    }
    return lines;
}

} // namespace Lumora
