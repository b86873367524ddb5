#include "panels/ColumnMappedRows.h"

namespace Portico {

int32_t ColumnMappedRows::Insert(int32_t row, const std::u16string& code) {
    return list.Insert(row, columns[kColumnCountry] == 0 ? code : std::u16string());
}

void ColumnMappedRows::SetText(int32_t row, int32_t column, const std::u16string& text) {
    if (column < 0 || column >= kServerColumns || columns[size_t(column)] == kHidden)
        return;
    list.SetText(row, columns[size_t(column)], text);
}

} // namespace Portico
