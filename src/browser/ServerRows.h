// The server list as the browser's rules see it: rows whose item data is a record pointer,
// with six text columns. The Win32 list control implements it; tests use a vector.
#pragma once

#include "query/ServerRecord.h"

#include <cstdint>
#include <string>

namespace Portico {

class ServerRows {
public:
    // Orders two rows' records (either may be null): negative puts a first.
    using Compare = int (*)(const ServerRecord* a, const ServerRecord* b, void* context);

    virtual int32_t Count() = 0;
    // Null for a row without a record.
    virtual const ServerRecord* RecordAt(int32_t row) = 0;
    // Inserts a row at index (0 to Count) with its column 0 text; its index, or -1.
    virtual int32_t Insert(int32_t row, const std::u16string& code) = 0;
    virtual void SetText(int32_t row, int32_t column, const std::u16string& text) = 0;
    virtual void SetRecord(int32_t row, const ServerRecord* record) = 0;
    virtual bool IsSelected(int32_t row) = 0;
    virtual void Delete(int32_t row) = 0;
    virtual void DeleteAll() = 0;
    virtual void DeselectAll() = 0;
    // Reorders every row by compare (the list control's own sort, redraw off meanwhile).
    virtual void Sort(Compare compare, void* context) = 0;

protected:
    ~ServerRows() = default;
};

} // namespace Portico
