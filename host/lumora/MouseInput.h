// Mouse clicks as a user's mouse gives them to a control: the cursor moves to the point and
// the button messages come through the thread's queue, in order.
#pragma once

#include <windows.h>

namespace Lumora {

enum class MouseClick { Left, Right, Double };

// Clicks at the centre of rect (client coordinates of window) with the keys held
// (MK_CONTROL, ...) and handles the messages that follow; false when rect is empty.
bool ClickAt(HWND window, const RECT& rect, MouseClick click, WPARAM keys = 0);

} // namespace Lumora
