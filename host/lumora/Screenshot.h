// Pictures of windows as the X display shows them, taken with ImageMagick's import.
#pragma once

#include <windows.h>

#include <string>

namespace Lumora {

// Writes a picture of window (its outer rectangle) to file, a path of the machine running
// Wine; false when import could not run or no picture appeared.
bool TakeScreenshot(HWND window, const std::string& file);

} // namespace Lumora
