#include "panels/win/BuddyListParent.h"

#include "common/win/HostBinding.h"
#include "query/QueryContext.h"

namespace Portico {

bool BuddyListParent::Attach() {
    return SubclassWindow(host.FindHostView("BuddyListView"));
}

intptr_t BuddyListParent::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const HWND view = Hwnd(); // read once: the view may go on the window thread meanwhile
    return view ? SendMessageW(view, message, wParam, lParam) : 0;
}

bool BuddyListParent::FindServer(uint32_t buddyKey, ServerAddress& out) const {
    const auto it = servers.find(buddyKey);
    if (it == servers.end())
        return false;
    out = it->second;
    return true;
}

LRESULT BuddyListParent::OnBuddyGame(UINT, WPARAM wParam, LPARAM lParam, bool&) {
    const auto* answer = reinterpret_cast<const ProbeAnswer*>(wParam);
    if (!answer)
        return 0;
    passwordFlags[answer->tag] = answer->needPass;
    host.SetBuddyInfo(answer->tag, answer->gameId, reinterpret_cast<const wchar_t*>(lParam));
    return 0;
}

LRESULT BuddyListParent::OnBuddyNoServer(UINT, WPARAM wParam, LPARAM, bool&) {
    const auto key = uint32_t(wParam);
    servers.erase(key);
    host.SetBuddyInfo(key, 0, nullptr);
    return 0;
}

LRESULT BuddyListParent::OnBuddyAddress(UINT, WPARAM wParam, LPARAM lParam, bool&) {
    if (const auto* address = reinterpret_cast<const ServerAddress*>(lParam))
        servers[uint32_t(wParam)] = *address;
    return 0;
}

} // namespace Portico
