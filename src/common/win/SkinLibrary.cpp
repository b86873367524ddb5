#include "common/win/SkinLibrary.h"

namespace Portico {
namespace {

template <typename F> F Find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace

void SkinLibrary::Load() {
    std::call_once(loaded, [this] {
        // The host has it loaded already; loading it ourselves keeps it for our lifetime.
        HMODULE module = LoadLibraryW(L"LumoraSkin1.dll");
        getImageFromSkin = Find<Host::GetImageFromSkinFn>(module, "GetImageFromSkin");
        getColor = Find<Host::GetColorFn>(module, "GetColor");
        trackSkinPopupMenu = Find<Host::TrackSkinPopupMenuFn>(module, "TrackSkinPopupMenu");
    });
}

HBITMAP SkinLibrary::GetImageFromSkin(const wchar_t* imageName) {
    Load();
    return getImageFromSkin ? getImageFromSkin(imageName) : nullptr;
}

COLORREF SkinLibrary::GetColor(const wchar_t* colourName) {
    Load();
    return getColor ? getColor(colourName) : 0;
}

BOOL SkinLibrary::TrackSkinPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner) {
    Load();
    if (trackSkinPopupMenu)
        return trackSkinPopupMenu(menu, flags, x, y, owner);
    return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
}

} // namespace Portico
