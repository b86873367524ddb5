// The stand-in host's own state: the user it pretends to have logged in, the room it is in,
// the handlers the plug-in registered, and its views.
#pragma once

#include "common/win/HostApi.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace Lumora {

struct HostState {
    static HostState& Instance();

    // Raises an event to every handler registered under the name; the count of handlers.
    size_t Raise(const std::wstring& eventName, uintptr_t parameter);

    std::multimap<std::wstring, Portico::Host::EventHandler> handlers;
    std::wstring userName = L"Player1";
    uint32_t accountId = 10001;
    int32_t userLevel = 0;
    std::wstring languageCode = L"en";
    uint32_t addressNetworkOrder = 0; // 0: the myinfo service answers false
    Portico::Host::RoomRecord room{};
    HWND frame = nullptr;
};

} // namespace Lumora
