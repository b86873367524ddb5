// A list whose columns are a choice of the server list's columns, in an order of its own: the
// browser's row rules write through it into a list with fewer or differently placed columns.
#pragma once

#include "browser/ServerRowText.h"
#include "browser/ServerRows.h"

#include <array>
#include <cstdint>

namespace Portico {

class ColumnMappedRows : public ServerRows {
public:
    // The list's column of each server-list column; kHidden for one the list does not show.
    using Columns = std::array<int32_t, kServerColumns>;
    static constexpr int32_t kHidden = -1;

    ColumnMappedRows(ServerRows& list, const Columns& columns) : list(list), columns(columns) {}

    int32_t Count() override { return list.Count(); }
    const ServerRecord* RecordAt(int32_t row) override { return list.RecordAt(row); }
    // The row starts with an empty first column unless that column shows the country.
    int32_t Insert(int32_t row, const std::u16string& code) override;
    void SetText(int32_t row, int32_t column, const std::u16string& text) override;
    void SetRecord(int32_t row, const ServerRecord* record) override {
        list.SetRecord(row, record);
    }
    bool IsSelected(int32_t row) override { return list.IsSelected(row); }
    void Delete(int32_t row) override { list.Delete(row); }
    void DeleteAll() override { list.DeleteAll(); }
    void DeselectAll() override { list.DeselectAll(); }
    void Sort(Compare compare, void* context) override { list.Sort(compare, context); }

private:
    ServerRows& list;
    const Columns columns;
};

} // namespace Portico
