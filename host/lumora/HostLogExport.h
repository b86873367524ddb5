// Lumora.exe also exports its log, so that its own libraries (the language library) can
// record what the plug-in asked of them. Not part of what the plug-in may call.
#pragma once

#include <windows.h>

#include <cstdint>

namespace Lumora {

constexpr uint16_t kOrdAddHostLogLine = 100;
using AddHostLogLineFn = void(WINAPI*)(const wchar_t* line);

} // namespace Lumora
