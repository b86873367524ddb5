// The named shared block "Global\Lumora_GANTRY_HWND" that tells the game-side hook the
// browser window and the user's name. Made once per process, released at unload.
#pragma once

#include <windows.h>

#include <string>

namespace Portico {

extern const wchar_t* const kHookMappingName;

class HookMapping {
public:
    HookMapping() = default;
    ~HookMapping() { Release(); }
    HookMapping(const HookMapping&) = delete;
    HookMapping& operator=(const HookMapping&) = delete;

    // False when the block could not be made; nothing is then kept open. A second call while
    // the block exists only rewrites it.
    bool Create(HWND browser, const std::wstring& userName);
    void Release();
    bool IsCreated() const { return view != nullptr; }

private:
    HANDLE mapping = nullptr;
    void* view = nullptr;
};

} // namespace Portico
