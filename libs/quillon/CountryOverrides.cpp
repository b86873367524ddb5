#include "CountryOverrides.h"

#include <algorithm>
#include <charconv>

namespace Portico {

namespace {

// A bounded reader over one line of the file.
class LineReader {
public:
    LineReader(const char* begin, const char* end) : at(begin), end(end) {}

    void SkipBlanks() {
        while (at < end && (*at == ' ' || *at == '\t' || *at == '\r'))
            ++at;
    }
    bool AtEnd() const { return at == end || *at == '#'; }
    bool Take(char c) {
        if (at == end || *at != c)
            return false;
        ++at;
        return true;
    }
    bool Peek(char c) const { return at < end && *at == c; }

    // A decimal number of 1 to 3 digits not above max.
    bool Number(uint32_t max, uint32_t& value) {
        const char* start = at;
        const auto [stop, error] = std::from_chars(start, end, value);
        at = stop;
        return error == std::errc() && stop - start <= 3 && value <= max;
    }

    bool Letter(char& letter) {
        if (at == end || *at < 'A' || *at > 'Z')
            return false;
        letter = *at++;
        return true;
    }

private:
    const char* at;
    const char* end;
};

bool ParseAddress(LineReader& line, uint32_t& address) {
    address = 0;
    for (int part = 0; part < 4; ++part) {
        uint32_t octet = 0;
        if ((part > 0 && !line.Take('.')) || !line.Number(255, octet))
            return false;
        address = address << 8 | octet;
    }
    return true;
}

// "address[/prefix] CC", with the rest of the line blank or a comment.
bool ParseLine(LineReader& line, uint32_t& firstAddress, uint32_t& lastAddress, uint16_t& code) {
    uint32_t address = 0;
    uint32_t prefix = 32;
    char first = 0;
    char second = 0;
    if (!ParseAddress(line, address) || (line.Take('/') && !line.Number(32, prefix)))
        return false;
    if (!line.Peek(' ') && !line.Peek('\t'))
        return false;
    line.SkipBlanks();
    if (!line.Letter(first) || !line.Letter(second))
        return false;
    bool separated = line.Peek(' ') || line.Peek('\t') || line.Peek('\r') || line.AtEnd();
    line.SkipBlanks();
    if (!separated || !line.AtEnd())
        return false;
    uint32_t hostBits = prefix == 0 ? 0xFFFFFFFFu : (1u << (32 - prefix)) - 1;
    if (address & hostBits)
        return false;
    firstAddress = address;
    lastAddress = address | hostBits;
    code = static_cast<uint16_t>(static_cast<uint8_t>(first) << 8 | static_cast<uint8_t>(second));
    return true;
}

} // namespace

bool CountryOverrides::Parse(const char* text, size_t size) {
    ranges.clear();
    if (size > kMaxFileBytes)
        return false;
    std::vector<Range> parsed;
    const char* end = text + size;
    for (const char* lineStart = text; lineStart < end;) {
        const char* lineEnd = std::find(lineStart, end, '\n');
        LineReader line(lineStart, lineEnd);
        line.SkipBlanks();
        if (!line.AtEnd()) {
            Range range{};
            if (!ParseLine(line, range.first, range.last, range.code))
                return false;
            parsed.push_back(range);
        }
        lineStart = lineEnd == end ? end : lineEnd + 1;
    }
    std::sort(parsed.begin(), parsed.end(),
              [](const Range& a, const Range& b) { return a.first < b.first; });
    for (size_t i = 1; i < parsed.size(); ++i)
        if (parsed[i].first <= parsed[i - 1].last)
            return false;
    ranges.swap(parsed);
    return true;
}

bool CountryOverrides::Find(uint32_t ip, uint16_t& code) const {
    auto after = std::upper_bound(ranges.begin(), ranges.end(), ip,
                                  [](uint32_t value, const Range& r) { return value < r.first; });
    if (after == ranges.begin() || ip > std::prev(after)->last)
        return false;
    code = std::prev(after)->code;
    return true;
}

} // namespace Portico
