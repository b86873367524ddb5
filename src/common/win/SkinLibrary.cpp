#include "common/win/SkinLibrary.h"

#include "utils/DynamicLibrary.h"

namespace Portico {
namespace {

template <typename F> F Find(const Utils::DynamicLibrary& library, const char* name) {
    return reinterpret_cast<F>(library.Find(name));
}

} // namespace

void SkinLibrary::Load() {
    std::call_once(loaded, [this] {
        // The host has it loaded already; loading it ourselves keeps it for our lifetime.
        const Utils::DynamicLibrary library("LumoraSkin1.dll");
        getImageFromSkin = Find<Host::GetImageFromSkinFn>(library, "GetImageFromSkin");
        getColor = Find<Host::GetColorFn>(library, "GetColor");
        trackSkinPopupMenu = Find<Host::TrackSkinPopupMenuFn>(library, "TrackSkinPopupMenu");
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
