// One value of a query result: an integer, a real or a narrow (UTF-8) text.
#pragma once

#include <cstdint>
#include <string>

namespace Utils {

class Cell {
public:
    enum class Type { kInteger = 0, kReal = 1, kText = 2 };

    // A NULL column: the integer 0.
    Cell() = default;
    static Cell Integer(int32_t value);
    static Cell Real(double value);
    // Copies up to the first zero byte; a null text gives an empty one.
    static Cell Text(const char* text);

    Type GetType() const { return type; }
    // Reals truncate toward zero and texts read their leading decimal number, both limited
    // to the 32-bit range.
    int32_t AsInt() const;
    // Numbers in decimal ("%lld", "%.15g"); texts as stored.
    std::string AsText() const;

private:
    Type type = Type::kInteger;
    int32_t integer = 0;
    double real = 0;
    std::string text;
};

} // namespace Utils
