// How the console shows a piece of text: the prefix of its kind before it and again at the
// start of every further line, every line feed not after a CR made CR LF.
#pragma once

#include <cstdint>
#include <string>

namespace Portico {

// Kinds of console text; the language texts of their prefixes are 109, 110 and 111.
enum class ConsoleKind : uint32_t { Status = 0, Command = 1, Output = 2 };
constexpr uint32_t kConsolePrefixText = 109;

std::u16string FormatConsoleText(const std::u16string& prefix, const std::u16string& text);

} // namespace Portico
