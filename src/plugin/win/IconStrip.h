// The host's game icon strip, cut into 40 x 40 cells with magenta transparent; a catalogue
// game's icon is a separate icon object taken from its cell.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace Portico {

class SkinLibrary;

class IconStrip {
public:
    // The skin image "gameicon", or else bitmap 39008 of Lumora.exe.
    explicit IconStrip(SkinLibrary& skin);
    ~IconStrip();
    IconStrip(const IconStrip&) = delete;
    IconStrip& operator=(const IconStrip&) = delete;

    // A new icon of that cell; null when the strip or the cell is missing.
    HICON ExtractIcon(int cell) const;

private:
    HBITMAP strip = nullptr;
    HIMAGELIST images = nullptr;
};

} // namespace Portico
