// The whole result of one query, copied into memory: rows in the order the statement
// produced them, each with one cell per column.
#pragma once

#include "storage/Cell.h"

#include <cstddef>
#include <vector>

namespace Utils {

using Row = std::vector<Cell>;

class ResultSet {
public:
    explicit ResultSet(int columnCount);

    int ColumnCount() const { return columnCount; }
    size_t RowCount() const { return rows.size(); }
    // Outside the result gives a NULL cell, so a short result never reads past its rows.
    const Cell& CellAt(size_t row, int column) const;

    // Takes a row, cut or padded with NULL cells to the column count.
    void AppendRow(Row row);

private:
    int columnCount;
    std::vector<Row> rows;
};

} // namespace Utils
