// The commands sent from the console's command line, for stepping back and forth with the
// arrow keys. At most kMaxEntries; a command equal to the newest is kept once.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace Portico {

class CommandHistory {
public:
    static constexpr size_t kMaxEntries = 100;

    // Also ends any stepping: the next Older starts from the newest again.
    void Add(const std::u16string& command);
    // The entry before the current one; false at the oldest. current is what the line holds
    // now: the first step back keeps it, for Newer to bring back past the newest entry.
    bool Older(const std::u16string& current, std::u16string& out);
    bool Newer(std::u16string& out);
    size_t Size() const { return entries.size(); }

private:
    std::deque<std::u16string> entries;
    size_t cursor = 0; // entries.size() when not stepping
    std::u16string draft;
};

} // namespace Portico
