// Decimal numbers read with std::from_chars, the one number reader of the program.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace Utils {

// The whole of text as a number of type T: decimal digits, with a leading '-' for a signed T,
// and nothing else; false when text is empty, holds anything more or the number is above max
// or does not fit T. value is written only on success.
template <typename T>
bool ParseDecimal(std::string_view text, T& value, T max = std::numeric_limits<T>::max()) {
    const char* end = text.data() + text.size();
    T number{};
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || number > max)
        return false;
    value = number;
    return true;
}

// A time in seconds as the tools take it: a decimal number ("1.5") above 0 and at most max.
// seconds is written only on success.
bool ParseSeconds(std::string_view text, double& seconds, double max);

// An optional sign ('+' or '-') and decimal digits at the start of text, as atoi reads them but
// without its undefined overflow: a number beyond the 32-bit range is the nearest end of it.
// Returns the characters read, 0 (and value 0) when there are no digits.
size_t ReadLeadingInt32(std::string_view text, int32_t& value);

} // namespace Utils
