// The buddy-selection library: the key of the buddy selected in the host's buddy list. The
// host's buddy-list view holds one list box whose lines carry their buddy's key as item data.
#include "abi/SelectedBuddy.h"

#include <windows.h>

extern "C" uint32_t PORTICO_OUTRIDER_CALL SelectedBuddy(void* view) {
    const HWND buddies =
        view ? FindWindowExW(static_cast<HWND>(view), nullptr, L"ListBox", nullptr) : nullptr;
    if (!buddies)
        return 0;
    const LRESULT line = SendMessageW(buddies, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR)
        return 0;
    const LRESULT key = SendMessageW(buddies, LB_GETITEMDATA, WPARAM(line), 0);
    return key == LB_ERR ? 0 : uint32_t(key);
}
