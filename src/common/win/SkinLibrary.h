// The host's skin library LumoraSkin1.dll, found by name on first use; its three functions are
// taken by name. Without the library: no images, black colours, plain popup menus.
#pragma once

#include "common/win/HostApi.h"

#include <mutex>

namespace Portico {

class SkinLibrary {
public:
    HBITMAP GetImageFromSkin(const wchar_t* imageName);
    COLORREF GetColor(const wchar_t* colourName);
    BOOL TrackSkinPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner);

private:
    void Load();

    std::once_flag loaded;
    Host::GetImageFromSkinFn getImageFromSkin = nullptr;
    Host::GetColorFn getColor = nullptr;
    Host::TrackSkinPopupMenuFn trackSkinPopupMenu = nullptr;
};

} // namespace Portico
