// Where the game sends its datagrams: the import-table entries of sendto and WSASendTo in the
// game's loaded modules are pointed at Gantry's own, which pass each call on unchanged and then
// tell the note where a datagram went. Gantry must then stay loaded (it pins itself).
#pragma once

#include <cstdint>

namespace Portico {

// Called on the game's threads after each datagram sent to an IPv4 address (host byte order):
// quick, never waiting.
using SendNote = void (*)(uint32_t ip, uint16_t port);

void SetSendNote(SendNote note);

// Points the modules loaded now at the hooks. Idempotent: called again for the modules that
// the game loaded since. Nothing when Winsock is not loaded yet.
void PatchSendImports();

} // namespace Portico
