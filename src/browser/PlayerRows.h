// The player list as the browser's rules see it: rows of name, time and score. The Win32 list
// control implements it; tests use a vector.
#pragma once

#include <cstdint>
#include <string>

namespace Portico {

class PlayerRows {
public:
    virtual int32_t Count() = 0;
    virtual std::u16string Name(int32_t row) = 0;
    // Appends a row with its name; its index, or -1.
    virtual int32_t Append(const std::u16string& name) = 0;
    virtual void SetText(int32_t row, int32_t column, const std::u16string& text) = 0;
    virtual void Delete(int32_t row) = 0;
    virtual void DeleteAll() = 0;

protected:
    ~PlayerRows() = default;
};

} // namespace Portico
