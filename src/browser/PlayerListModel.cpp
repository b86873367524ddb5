#include "browser/PlayerListModel.h"

#include "browser/TextCompare.h"
#include "utils/Utf.h"

#include <string>
#include <vector>

namespace Portico {
namespace {

std::u16string TimeText(const GameProtocol* protocol, uint32_t time) {
    if (!protocol)
        return {};
    char16_t buffer[kPlayerTimeChars] = {};
    protocol->FormatPlayerTime(buffer, time);
    return std::u16string(buffer, Utils::Utf::BoundedLength(buffer, kPlayerTimeChars));
}

std::u16string ScoreText(int32_t score) {
    const std::string text = std::to_string(score);
    return std::u16string(text.begin(), text.end());
}

} // namespace

void PlayerListModel::Merge(const PlayerList& list, const GameProtocol* protocol) {
    std::vector<bool> seen(size_t(rows.Count()), false);
    for (uint32_t i = 0; i < list.entries.Size(); ++i) {
        const PlayerEntry& entry = list.entries[i];
        const std::u16string name = Utils::Utf::ToUtf16(
            {entry.name, Utils::Utf::BoundedLength(entry.name, sizeof entry.name)});
        // A name that appears twice shares one row; the later entry's values stay.
        int32_t row = Find(name);
        if (row >= 0)
            rows.SetText(row, kColumnPlayer, name);
        else
            row = rows.Append(name);
        if (row < 0)
            continue;
        if (size_t(row) >= seen.size())
            seen.resize(size_t(row) + 1, false);
        seen[size_t(row)] = true;
        rows.SetText(row, kColumnPlayerTime, TimeText(protocol, entry.time));
        rows.SetText(row, kColumnScore, ScoreText(entry.score));
    }
    for (int32_t row = rows.Count() - 1; row >= 0; --row) {
        if (size_t(row) >= seen.size() || !seen[size_t(row)])
            rows.Delete(row);
    }
}

int32_t PlayerListModel::Find(const std::u16string& name) {
    const int32_t count = rows.Count();
    for (int32_t row = 0; row < count; ++row) {
        if (CompareNoCase(rows.Name(row), name) == 0)
            return row;
    }
    return -1;
}

} // namespace Portico
