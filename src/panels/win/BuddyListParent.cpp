#include "panels/win/BuddyListParent.h"

#include "common/win/HostBinding.h"

namespace Portico {

bool BuddyListParent::Attach() {
    if (!SubclassWindow(host.FindHostView("BuddyListView")))
        return false;
    outrider.SetView(Hwnd());
    // Loaded here rather than when the module is loaded, under the loader's lock.
    outrider.IsLoaded();
    return true;
}

intptr_t BuddyListParent::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const HWND view = Hwnd(); // read once: the view may go on the window thread meanwhile
    return view ? SendMessageW(view, message, wParam, lParam) : 0;
}

LRESULT BuddyListParent::OnBuddyGame(UINT, WPARAM wParam, LPARAM lParam, bool&) {
    const auto* answer = reinterpret_cast<const ProbeAnswer*>(wParam);
    if (buddies.NoteGame(answer))
        host.SetBuddyInfo(answer->tag, answer->gameId, reinterpret_cast<const wchar_t*>(lParam));
    return 0;
}

LRESULT BuddyListParent::OnBuddyNoServer(UINT, WPARAM wParam, LPARAM, bool&) {
    const auto key = uint32_t(wParam);
    buddies.NoteNoServer(key);
    host.SetBuddyInfo(key, 0, nullptr);
    return 0;
}

LRESULT BuddyListParent::OnBuddyAddress(UINT, WPARAM wParam, LPARAM lParam, bool&) {
    buddies.NoteAddress(uint32_t(wParam), reinterpret_cast<const ServerAddress*>(lParam));
    return 0;
}

LRESULT BuddyListParent::OnJoinBuddy(WORD, WORD, HWND, bool& handled) {
    switch (buddies.Join(outrider, browserHost)) {
    case BuddyServers::JoinOutcome::kSelectionUnknown:
        // Without the library the selected buddy is unknown: the host's own join goes on.
        OutputDebugStringW(L"Tessel: buddy join: Outrider.dll or its selected-buddy entry "
                           L"(ordinal 2) is missing; the host's own join runs\n");
        handled = false;
        break;
    case BuddyServers::JoinOutcome::kToHost:
        handled = false;
        break;
    case BuddyServers::JoinOutcome::kCancelled:
    case BuddyServers::JoinOutcome::kLaunched:
        break;
    }
    return 0;
}

} // namespace Portico
