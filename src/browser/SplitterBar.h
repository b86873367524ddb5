// The bar between the server list and the player list: where it lies, and where a drag puts
// it. The upper pane keeps a minimum height, the lower pane too, and the lower rule wins
// when both cannot hold. Coordinates are the window's client coordinates.
#pragma once

#include "browser/BrowserLayout.h"

#include <cstdint>

namespace Portico {

class SplitterBar {
public:
    struct Panes {
        Rect upper, lower;
    };

    SplitterBar(int32_t barHeight, int32_t minUpper, int32_t minLower)
        : barHeight(barHeight), minUpper(minUpper), minLower(minLower) {}

    void Enable(bool on) { enabled = on; }
    bool Enabled() const { return enabled; }
    // After a layout: the bar spans the upper pane's width just below it.
    void Layout(const Rect& upper);
    bool Hit(int32_t x, int32_t y) const;
    // A press on the bar starts a drag; false (and no drag) elsewhere or while disabled.
    bool Press(int32_t x, int32_t y);
    bool Dragging() const { return dragging; }
    // Where the panes go for the mouse at y during a drag.
    Panes Drag(int32_t y, const Panes& panes) const;
    // The release ends the drag; the bar follows the upper pane's new bottom.
    void Release(const Rect& upper);
    const Rect& Bar() const { return bar; }

private:
    const int32_t barHeight, minUpper, minLower;
    Rect bar;
    int32_t startTop = 0, startY = 0;
    bool enabled = false, dragging = false;
};

} // namespace Portico
