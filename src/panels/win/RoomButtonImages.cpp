#include "panels/win/RoomButtonImages.h"

#include "common/ResourceIds.h"
#include "utils/win/Module.h"

namespace Portico {
namespace {

constexpr int kCorner = 10;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPressedTitle = 0x00CCFF;

// The source drawn into w x h: its corners as they are, its edges and centre stretched, white
// left out.
void NineSlice(HDC target, int w, int h, HDC source, int sw, int sh) {
    const int xs[] = {0, kCorner, sw - kCorner, sw}, ys[] = {0, kCorner, sh - kCorner, sh};
    const int xt[] = {0, kCorner, w - kCorner, w}, yt[] = {0, kCorner, h - kCorner, h};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            TransparentBlt(target, xt[column], yt[row], xt[column + 1] - xt[column],
                           yt[row + 1] - yt[row], source, xs[column], ys[row],
                           xs[column + 1] - xs[column], ys[row + 1] - ys[row], kWhite);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP header{};
    GetObjectW(bitmap, sizeof(header), &header);
    return SIZE{header.bmWidth, header.bmHeight};
}

} // namespace

void RoomButtonImages::Build(HDC screen, SIZE buttonSize, const std::wstring& title,
                             COLORREF background, COLORREF titleColour) {
    Release();
    size = buttonSize;
    for (int i = 0; i <= kPressed; ++i)
        BuildOne(screen, i, title, background, i == kPressed ? kPressedTitle : titleColour);
    built = true;
}

void RoomButtonImages::BuildOne(HDC screen, int index, const std::wstring& title,
                                COLORREF background, COLORREF titleColour) {
    HDC target = CreateCompatibleDC(screen);
    images[index] = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ targetOld = SelectObject(target, images[index]);
    HBRUSH fill = CreateSolidBrush(background);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(target, &all, fill);
    DeleteObject(fill);

    const int resource = index < kFrames ? IDB_BUTTON_FRAME0 + index : IDB_BUTTON_HOVER;
    HINSTANCE module = Utils::ModuleInstance();
    if (HBITMAP face = LoadBitmapW(module, MAKEINTRESOURCEW(resource))) {
        HDC source = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(source, face);
        const SIZE faceSize = BitmapSize(face);
        NineSlice(target, size.cx, size.cy, source, faceSize.cx, faceSize.cy);
        SelectObject(source, old);
        DeleteDC(source);
        DeleteObject(face);
    }

    SetBkMode(target, TRANSPARENT);
    HGDIOBJ fontOld = SelectObject(target, GetStockObject(ANSI_VAR_FONT));
    SetTextColor(target, titleColour);
    RECT text{16, 0, size.cx, size.cy};
    DrawTextW(target, title.c_str(), int(title.size()), &text,
              DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SIZE textSize{};
    GetTextExtentPoint32W(target, title.c_str(), int(title.size()), &textSize);
    SelectObject(target, fontOld);

    if (HBITMAP icon = LoadBitmapW(module, MAKEINTRESOURCEW(IDB_TITLE_ICON))) {
        HDC source = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(source, icon);
        TransparentBlt(target, (size.cx - textSize.cx) / 2 - 16, (size.cy - 16) / 2, 16, 16, source,
                       0, 0, 16, 16, kBlack);
        SelectObject(source, old);
        DeleteDC(source);
        DeleteObject(icon);
    }
    SelectObject(target, targetOld);
    DeleteDC(target);
}

void RoomButtonImages::Draw(HDC dc, int index) const {
    if (!built || index < 0 || index > kPressed || !images[index])
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, images[index]);
    BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void RoomButtonImages::Release() {
    for (HBITMAP& image : images) {
        if (image)
            DeleteObject(image);
        image = nullptr;
    }
    built = false;
}

} // namespace Portico
