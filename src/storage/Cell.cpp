#include "storage/Cell.h"

#include "utils/ParseNumber.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace Utils {

namespace {

constexpr size_t kFormattedMax = 256; // 255 characters and the terminator

// Converting a double outside the int range is undefined, so the range is checked first.
int32_t TruncateReal(double value) {
    if (std::isnan(value))
        return 0;
    if (value <= double(INT_MIN))
        return INT_MIN;
    if (value >= double(INT_MAX))
        return INT_MAX;
    return static_cast<int32_t>(value);
}

// atoi's reading: blanks, then a sign and digits.
int32_t LeadingNumber(const std::string& text) {
    const size_t blanks = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
    int32_t value;
    ReadLeadingInt32(std::string_view(text).substr(blanks), value);
    return value;
}

} // namespace

Cell Cell::Integer(int32_t value) {
    Cell cell;
    cell.integer = value;
    return cell;
}

Cell Cell::Real(double value) {
    Cell cell;
    cell.type = Type::kReal;
    cell.real = value;
    return cell;
}

Cell Cell::Text(const char* text) {
    Cell cell;
    cell.type = Type::kText;
    if (text)
        cell.text = text;
    return cell;
}

int32_t Cell::AsInt() const {
    switch (type) {
    case Type::kReal:
        return TruncateReal(real);
    case Type::kText:
        return LeadingNumber(text);
    default:
        return integer;
    }
}

std::string Cell::AsText() const {
    if (type == Type::kText)
        return text;
    char formatted[kFormattedMax];
    if (type == Type::kReal)
        std::snprintf(formatted, sizeof formatted, "%.15g", real);
    else
        std::snprintf(formatted, sizeof formatted, "%lld", static_cast<long long>(integer));
    return formatted;
}

} // namespace Utils
