#include "utils/ParseNumber.h"

namespace Utils {

size_t ReadLeadingInt32(std::string_view text, int32_t& value) {
    value = 0;
    const bool negative = !text.empty() && text[0] == '-';
    const size_t sign = !text.empty() && (negative || text[0] == '+') ? 1 : 0;
    // from_chars takes a '-' of its own: only digits may follow the sign.
    if (text.size() <= sign || text[sign] < '0' || text[sign] > '9')
        return 0;
    const char* digits = text.data() + sign;
    uint32_t magnitude = 0;
    const auto [stop, error] = std::from_chars(digits, text.data() + text.size(), magnitude);
    const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    if (error == std::errc::result_out_of_range || magnitude > limit)
        magnitude = limit;
    value = negative ? int32_t(-int64_t(magnitude)) : int32_t(magnitude);
    return size_t(stop - text.data());
}

bool ParseSeconds(std::string_view text, double& seconds, double max) {
    const char* end = text.data() + text.size();
    double number = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, number, std::chars_format::fixed);
    if (error != std::errc() || stop != end || !(number > 0 && number <= max))
        return false;
    seconds = number;
    return true;
}

} // namespace Utils
