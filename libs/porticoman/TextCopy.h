// Text from the wire into the fixed text fields of the interface. Replies are read as UTF-8;
// a byte that does not start a valid sequence is taken as a Latin-1 character (older servers
// send 8-bit names). Copies stop at a NUL, cut only between whole characters and always
// leave the buffer NUL-terminated.
#pragma once

#include <cstdint>
#include <string_view>

namespace Portico {

// Both write nothing when capacity is 0.
void CopyToUtf16(char16_t* buffer, uint32_t capacity, std::string_view text);
void CopyToUtf8(char* buffer, uint32_t capacity, std::string_view text);

// Writes the text whole (bytes widened one to one), or leaves the buffer empty and returns
// false when it does not fit: a cut address or password would be wrong rather than short.
bool WriteWhole(char16_t* buffer, uint32_t capacity, std::string_view text);
bool WriteWhole(char* buffer, uint32_t capacity, std::string_view text);

} // namespace Portico
