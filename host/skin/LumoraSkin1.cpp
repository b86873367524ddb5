// LumoraSkin1.dll of the stand-in host: the skin's colours, no images of its own (so the
// host's own icon strip is used), and popup menus as plain menus.
#include <windows.h>

#include <cwchar>

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
    return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
}

} // extern "C"
