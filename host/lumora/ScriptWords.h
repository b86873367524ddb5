// Reading the words of a script line.
#pragma once

#include <string>

namespace Lumora {

// Decimal or 0x-prefixed; text that is no number reads as 0, a number followed by more text
// as the number.
unsigned long long Number(const std::string& text);

// The text of a line after its word that follows the verb.
std::string Rest(const std::string& line, const std::string& word);

} // namespace Lumora
