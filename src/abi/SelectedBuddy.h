// The one operation of the buddy-selection library Outrider (export ordinal 2): which buddy
// the user has selected in the host's buddy list. Both the library and the plug-in are built
// from this header.
#pragma once

#include <cstdint>

// The callee removes its arguments (stdcall on 32-bit Windows; no effect elsewhere).
#if defined(_WIN32) && !defined(_WIN64)
#define PORTICO_OUTRIDER_CALL __stdcall
#else
#define PORTICO_OUTRIDER_CALL
#endif

namespace Portico {

// view: the host's buddy-list view window. Returns the host's key of the selected buddy, 0
// when no buddy is selected.
using SelectedBuddyFn = uint32_t(PORTICO_OUTRIDER_CALL*)(void* view);

constexpr int kSelectedBuddyOrdinal = 2;
constexpr char kSelectedBuddyName[] = "SelectedBuddy";

} // namespace Portico
