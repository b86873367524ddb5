// The 24-byte block through which the game-side hook finds the browser window: the window
// handle at offset 0 and the user's name in UTF-8 at offset 4.
#pragma once

#include "abi/GameHook.h"
#include "common/Messages.h"

#include <cstddef>
#include <cstdint>

namespace Portico {

static_assert(kGameHookMessage == kMsgGameServer, "the hook reports with the browser's message");

// How many leading bytes of a UTF-8 text fit in maxBytes without splitting a character.
size_t Utf8CutLength(const char* text, size_t length, size_t maxBytes);

// Writes the handle (little-endian) and the name, cut at a character boundary and
// zero-padded; a name of exactly 20 bytes leaves no terminator.
void FillHookBlock(uint8_t* block, uint32_t window, const char* utf8Name, size_t length);

} // namespace Portico
