// LumoraSkin1.dll of the stand-in host: the skin's colours, no images of its own (so the
// host's own icon strip is used), and popup menus as plain menus, or picked by the host's
// script (ScriptedMenu.h).
#include "HostLogExport.h"
#include "ScriptedMenu.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

void Log(const std::wstring& line) {
    static const auto add = reinterpret_cast<Lumora::AddHostLogLineFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(nullptr), MAKEINTRESOURCEA(Lumora::kOrdAddHostLogLine))));
    if (add)
        add(line.c_str());
}

// The items' command ids in order, 0 for a separator.
std::wstring ItemIds(HMENU menu) {
    std::wstring ids;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &item);
        ids += (i ? L"," : L"") + std::to_wstring((item.fType & MFT_SEPARATOR) ? 0 : item.wID);
    }
    return ids;
}

bool ScriptRunning() {
    return GetEnvironmentVariableW(Lumora::kScriptRunningVariable, nullptr, 0) > 0;
}

// The armed pick, once: the menu it was meant for closes with it.
UINT TakePick() {
    wchar_t text[16] = {};
    const DWORD length = GetEnvironmentVariableW(Lumora::kMenuPickVariable, text, 16);
    SetEnvironmentVariableW(Lumora::kMenuPickVariable, nullptr);
    return length > 0 && length < 16 ? UINT(wcstoul(text, nullptr, 10)) : 0;
}

// A user can pick only an item of the menu that is not greyed out.
bool CanPick(HMENU menu, UINT id) {
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    return id != 0 && state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR));
}

} // namespace

extern "C" {

__declspec(dllexport) HBITMAP WINAPI GetImageFromSkin(const wchar_t*) {
    return nullptr;
}

__declspec(dllexport) COLORREF WINAPI GetColor(const wchar_t* name) {
    struct Colour {
        const wchar_t* name;
        COLORREF value;
    };
    static const Colour kColours[] = {
        {L"dialogbg", RGB(236, 240, 246)},     {L"listview_bk", RGB(255, 255, 255)},
        {L"listview_bk1", RGB(242, 246, 252)}, {L"listview_text", RGB(20, 24, 32)},
        {L"region_text", RGB(30, 70, 150)},
    };
    for (const Colour& c : kColours)
        if (name && wcscmp(name, c.name) == 0)
            return c.value;
    return RGB(0, 0, 0);
}

__declspec(dllexport) BOOL WINAPI
    TrackSkinPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner) {
    Log(L"TrackSkinPopupMenu " + ItemIds(menu));
    if (!ScriptRunning())
        return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
    const UINT pick = TakePick();
    if (!CanPick(menu, pick))
        return FALSE;
    if (flags & TPM_RETURNCMD)
        return BOOL(pick);
    // A pick from a menu tracked without TPM_RETURNCMD reaches its owner this way.
    PostMessageW(owner, WM_COMMAND, MAKEWPARAM(pick, 0), 0);
    return TRUE;
}

} // extern "C"
