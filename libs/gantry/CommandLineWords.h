// The words of a program's command line as the process sees it (another process wrote it):
// separated by blanks and tabs, a double-quoted stretch kept in one word without its quotes.
// Enough to find the game's "+connect a.b.c.d:port" and "+password TEXT".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Portico {

// At most kMaxWords words of the first kMaxChars characters; the rest is not looked at.
constexpr size_t kMaxChars = 32767;
constexpr size_t kMaxWords = 1024;

std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

// The word after the first word equal to name (ASCII letters compared without case); false
// when there is none.
bool WordAfter(const std::vector<std::u16string>& words, std::u16string_view name,
               std::u16string& word);

// The server of the first "+connect a.b.c.d:port" (dotted IPv4, port 1 to 65535), host byte
// order; false when the line names none.
bool FindConnectTarget(const std::vector<std::u16string>& words, uint32_t& ip, uint16_t& port);

} // namespace Portico
