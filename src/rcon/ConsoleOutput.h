// Keeps the console's output pane bounded: tracks where its lines end and says how much of
// its start to drop, whole lines and the oldest first, so that what arrives still shows.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace Portico {

class ConsoleOutput {
public:
    // limit: most characters the pane holds.
    explicit ConsoleOutput(size_t limit) : limit(limit) {}

    struct Fit {
        size_t dropFront = 0; // characters to remove from the start of the pane first
        size_t skipText = 0;  // characters of the text to leave out (a text longer than the pane)
    };
    // Takes text that goes to the end of the pane. Trimming cuts down to three quarters of the
    // limit, so that it happens seldom.
    Fit Append(const std::u16string& text);
    size_t Length() const { return length; }

private:
    void Drop(size_t count);

    const size_t limit;
    size_t length = 0;
    // Where each line after the first starts, counted from the pane's start.
    std::deque<size_t> lineStarts;
};

} // namespace Portico
