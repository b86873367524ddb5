// The nine pictures of the chat-room panel's open-browser button: seven animation frames,
// hover and pressed, each the button's size, made once from the plug-in's bitmaps 500 to 507.
#pragma once

#include <windows.h>

#include <string>

namespace Portico {

class RoomButtonImages {
public:
    static constexpr int kFrames = 7;
    static constexpr int kHover = 7;
    static constexpr int kPressed = 8;

    ~RoomButtonImages() { Release(); }

    bool Built() const { return built; }
    // title: the plug-in's title, drawn in titleColour (pressed: light blue) over the face.
    void Build(HDC screen, SIZE size, const std::wstring& title, COLORREF background,
               COLORREF titleColour);
    // Copies picture index to (0, 0) of dc.
    void Draw(HDC dc, int index) const;
    void Release();

private:
    void BuildOne(HDC screen, int index, const std::wstring& title, COLORREF background,
                  COLORREF titleColour);

    HBITMAP images[kPressed + 1] = {};
    SIZE size{};
    bool built = false;
};

} // namespace Portico
