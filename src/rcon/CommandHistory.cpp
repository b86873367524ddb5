#include "rcon/CommandHistory.h"

namespace Portico {

void CommandHistory::Add(const std::u16string& command) {
    if (!command.empty() && (entries.empty() || entries.back() != command)) {
        entries.push_back(command);
        if (entries.size() > kMaxEntries)
            entries.pop_front();
    }
    cursor = entries.size();
    draft.clear();
}

bool CommandHistory::Older(const std::u16string& current, std::u16string& out) {
    if (cursor == 0)
        return false;
    if (cursor == entries.size())
        draft = current;
    out = entries[--cursor];
    return true;
}

bool CommandHistory::Newer(std::u16string& out) {
    if (cursor >= entries.size())
        return false;
    ++cursor;
    out = cursor == entries.size() ? draft : entries[cursor];
    return true;
}

} // namespace Portico
