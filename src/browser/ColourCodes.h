// Colour codes in server names: a caret followed by a digit sets the colour of the rest of
// the name and is not shown; a caret followed by anything else is an ordinary character.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct ColourRun {
    int digit; // 0..9, or -1 for the list's own text colour
    std::u16string text;
};

std::vector<ColourRun> SplitColourCodes(const std::u16string& name);
std::u16string StripColourCodes(const std::u16string& name);
// The colour of a digit as a Windows colour value (red in the lowest byte).
uint32_t ColourOfDigit(int digit);

} // namespace Portico
