#include "storage/ResultSet.h"

#include <utility>

namespace Utils {

ResultSet::ResultSet(int columnCount) : columnCount(columnCount < 0 ? 0 : columnCount) {}

const Cell& ResultSet::CellAt(size_t row, int column) const {
    static const Cell kNull;
    if (row >= rows.size() || column < 0 || column >= columnCount)
        return kNull;
    return rows[row][static_cast<size_t>(column)];
}

void ResultSet::AppendRow(Row row) {
    row.resize(static_cast<size_t>(columnCount));
    rows.push_back(std::move(row));
}

} // namespace Utils
