// The contract between the plug-in and the game-side hook Gantry.dll: the named shared block
// through which the hook finds the browser window and the user's name, and the message with
// which it reports the server the game is on. Both sides are built from this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Portico {

// A page-file block of kHookBlockBytes that every account may open.
constexpr char16_t kHookBlockName[] = u"Global\\Lumora_GANTRY_HWND";
constexpr uint32_t kHookBlockBytes = 24;
// Offset 0: the browser window's handle, a 32-bit little-endian number.
constexpr uint32_t kHookNameOffset = 4;
// The user's name in UTF-8, zero-padded; no terminator when it fills the field.
constexpr uint32_t kHookNameBytes = kHookBlockBytes - kHookNameOffset;

// Sent to the browser window: wParam's low 16 bits the port and lParam the IPv4 address, both
// as they lie in network byte order; wParam 0 when the game is on no server.
constexpr uint32_t kGameHookMessage = 0x2099;

struct HookBlockContents {
    uint32_t window = 0;
    std::string userName; // UTF-8, at most kHookNameBytes bytes, no NUL inside
};

// Reads a block of kHookBlockBytes as another process wrote it.
HookBlockContents ReadHookBlock(const uint8_t* block);

// The message's parameters for a server (ip and port in host byte order).
struct HookReport {
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};
HookReport HookServerReport(uint32_t ip, uint16_t port);

} // namespace Portico
