// The bar between two panes of a window, dragged with the mouse: the frame hands it its mouse
// messages first. Where the bar may go is SplitterBar's rule.
#pragma once

#include "browser/SplitterBar.h"

#include <windows.h>

namespace Portico {

class CHorSplitter {
public:
    CHorSplitter(int32_t barHeight, int32_t minUpper, int32_t minLower)
        : bar(barHeight, minUpper, minLower) {}

    void SetPanes(HWND frameWindow, HWND upperPane, HWND lowerPane);
    void Enable(bool on) { bar.Enable(on); }
    // After the frame laid the panes out.
    void Layout();
    // A mouse message of the frame; true when it is answered here (the cursor over the bar).
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    Rect PaneRect(HWND pane) const;
    void Move(HWND pane, const Rect& to);

    SplitterBar bar;
    HWND frame = nullptr, upper = nullptr, lower = nullptr;
    HCURSOR cursor = LoadCursorW(nullptr, IDC_SIZENS);
};

} // namespace Portico
