#include "browser/SplitterBar.h"

namespace Portico {

void SplitterBar::Layout(const Rect& upper) {
    if (enabled)
        bar = {upper.left, upper.bottom, upper.right, upper.bottom + barHeight};
}

bool SplitterBar::Hit(int32_t x, int32_t y) const {
    return enabled && x >= bar.left && x < bar.right && y >= bar.top && y < bar.bottom;
}

bool SplitterBar::Press(int32_t x, int32_t y) {
    if (!Hit(x, y))
        return false;
    startTop = bar.top;
    startY = y;
    dragging = true;
    return true;
}

SplitterBar::Panes SplitterBar::Drag(int32_t y, const Panes& panes) const {
    int32_t top = startTop + (y - startY);
    if (top < panes.upper.top + minUpper)
        top = panes.upper.top + minUpper;
    if (top + barHeight + minLower > panes.lower.bottom)
        top = panes.lower.bottom - barHeight - minLower;
    Panes moved = panes;
    moved.upper.bottom = top;
    moved.lower.top = top + barHeight;
    return moved;
}

void SplitterBar::Release(const Rect& upper) {
    if (!enabled)
        return;
    dragging = false;
    bar.top = upper.bottom;
    bar.bottom = upper.bottom + barHeight;
}

} // namespace Portico
