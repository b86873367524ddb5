// The order of the server list: the key a column click gives, and the comparison of two rows
// under a key (1 to 6 = columns 0 to 5, negative = reversed).
#pragma once

#include "query/ServerRecord.h"

#include <cstdint>

namespace Portico {

constexpr int32_t kSortByTime = 6;

// Clicking the column that gave the key reverses it; any other column sorts by itself.
int32_t NextSortKey(int32_t sortKey, int32_t column);

// Negative puts a first. More players first; shorter round trips first; texts without case.
int CompareServerRows(const ServerRecord& a, const ServerRecord& b, int32_t key);

} // namespace Portico
