#include "browser/ColourCodes.h"

namespace Portico {

std::vector<ColourRun> SplitColourCodes(const std::u16string& name) {
    std::vector<ColourRun> runs{{-1, {}}};
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c == u'^' && i + 1 < name.size() && name[i + 1] >= u'0' && name[i + 1] <= u'9') {
            const int digit = name[++i] - u'0';
            if (runs.back().text.empty())
                runs.back().digit = digit;
            else
                runs.push_back({digit, {}});
            continue;
        }
        runs.back().text += c;
    }
    if (runs.back().text.empty() && runs.size() > 1)
        runs.pop_back();
    return runs;
}

std::u16string StripColourCodes(const std::u16string& name) {
    std::u16string out;
    for (const ColourRun& run : SplitColourCodes(name))
        out += run.text;
    return out;
}

uint32_t ColourOfDigit(int digit) {
    static const uint32_t kColours[10] = {0x000000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000,
                                          0xFFFF00, 0xFF00FF, 0xFFFFFF, 0x808080, 0x808080};
    return digit >= 0 && digit <= 9 ? kColours[digit] : 0;
}

} // namespace Portico
