#include "rcon/ConsoleOutput.h"

namespace Portico {

ConsoleOutput::Fit ConsoleOutput::Append(const std::u16string& text) {
    Fit fit;
    const size_t room = limit - limit / 4;
    if (text.size() > room) {
        // Only the text's end shows, from a line start where it has one.
        fit.skipText = text.size() - room;
        const size_t lineEnd = text.find(u'\n', fit.skipText - 1);
        if (lineEnd != std::u16string::npos && lineEnd + 1 < text.size())
            fit.skipText = lineEnd + 1;
    }
    const size_t adding = text.size() - fit.skipText;
    if (length + adding > limit) {
        // The oldest lines go; without a line start late enough, everything goes.
        const size_t excess = length + adding - room;
        size_t cut = length;
        for (size_t start : lineStarts) {
            if (start >= excess) {
                cut = start;
                break;
            }
        }
        fit.dropFront = cut;
        Drop(cut);
    }
    for (size_t i = fit.skipText; i < text.size(); ++i) {
        if (text[i] == u'\n')
            lineStarts.push_back(length + (i - fit.skipText) + 1);
    }
    length += adding;
    return fit;
}

void ConsoleOutput::Drop(size_t count) {
    while (!lineStarts.empty() && lineStarts.front() <= count)
        lineStarts.pop_front();
    for (size_t& start : lineStarts)
        start -= count;
    length -= count;
}

} // namespace Portico
