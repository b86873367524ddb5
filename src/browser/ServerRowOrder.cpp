#include "browser/ServerRowOrder.h"

#include "browser/TextCompare.h"
#include "utils/Utf.h"

#include <cstdint>
#include <string>

namespace Portico {
namespace {

template <size_t N> int CompareFields(const char (&a)[N], const char (&b)[N]) {
    return CompareNoCase(a, Utils::Utf::BoundedLength(a, N), b, Utils::Utf::BoundedLength(b, N));
}

int CompareNames(const ServerInfo& a, const ServerInfo& b) {
    constexpr size_t kUnits = sizeof a.name / sizeof a.name[0];
    return CompareNoCase(std::u16string(a.name, Utils::Utf::BoundedLength(a.name, kUnits)),
                         std::u16string(b.name, Utils::Utf::BoundedLength(b.name, kUnits)));
}

int CompareAscending(const ServerRecord& a, const ServerRecord& b, int64_t column) {
    switch (column) {
    case 1:
        return CompareFields(a.countryCode, b.countryCode);
    case 2:
        return CompareNames(a.info, b.info);
    case 3:
        return CompareFields(a.info.map, b.info.map);
    case 4:
        return CompareFields(a.info.gameType, b.info.gameType);
    case 5:
        if (a.info.players != b.info.players)
            return int(b.info.players) - int(a.info.players);
        return int(b.info.maxPlayers) - int(a.info.maxPlayers);
    case 6:
        // Only the low 32 bits of the difference count.
        return int32_t(uint32_t(a.time - b.time));
    default:
        return 0;
    }
}

} // namespace

int32_t NextSortKey(int32_t sortKey, int32_t column) {
    const int64_t key = sortKey;
    if ((key < 0 ? -key : key) == int64_t(column) + 1)
        return -sortKey;
    return column + 1;
}

int CompareServerRows(const ServerRecord& a, const ServerRecord& b, int32_t key) {
    const int64_t column = key < 0 ? -int64_t(key) : key;
    const int result = CompareAscending(a, b, column);
    if (key >= 0)
        return result;
    return result == INT32_MIN ? INT32_MAX : -result;
}

} // namespace Portico
