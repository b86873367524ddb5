#include "plugin/win/IconStrip.h"

#include "common/win/HostApi.h"
#include "common/win/SkinLibrary.h"

namespace Portico {
namespace {
constexpr int kCell = 40;
} // namespace

IconStrip::IconStrip(SkinLibrary& skin) {
    strip = skin.GetImageFromSkin(L"gameicon");
    if (!strip) {
        HMODULE host = GetModuleHandleW(L"Lumora.exe");
        if (host)
            strip = static_cast<HBITMAP>(LoadImageW(host,
                                                    MAKEINTRESOURCEW(Host::kHostIconStripResource),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    if (!strip)
        return;
    images = ImageList_Create(kCell, kCell, ILC_COLOR24 | ILC_MASK, 0, 16);
    if (images)
        ImageList_AddMasked(images, strip, RGB(255, 0, 255));
}

IconStrip::~IconStrip() {
    if (images)
        ImageList_Destroy(images);
    if (strip)
        DeleteObject(strip);
}

HICON IconStrip::ExtractIcon(int cell) const {
    if (!images || cell < 0 || cell >= ImageList_GetImageCount(images))
        return nullptr;
    return ImageList_GetIcon(images, cell, ILD_NORMAL);
}

} // namespace Portico
