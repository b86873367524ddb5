#include "rcon/ConsoleText.h"

namespace Portico {

// A text that does not end in a line break leaves the next one on the same line: its prefix
// then follows there.
std::u16string FormatConsoleText(const std::u16string& prefix, const std::u16string& text) {
    std::u16string shown = prefix;
    shown.reserve(prefix.size() + text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            shown += u'\r';
        shown += c;
        if (c == u'\n' && i + 1 < text.size())
            shown += prefix;
    }
    return shown;
}

} // namespace Portico
