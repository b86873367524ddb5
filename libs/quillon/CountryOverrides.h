// Address ranges that get a country before the country data is asked, read from a small text
// file. One range per line, "address/prefix CC" (for example "127.0.1.0/24 DE"); "/prefix" may
// be left out for a single address; "#" starts a comment; blank lines are ignored. The address
// is the first of its range (host bits zero), the code two upper-case letters, and ranges may
// not overlap. Any malformed line refuses the whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Portico {

class CountryOverrides {
public:
    static constexpr size_t kMaxFileBytes = 1u << 20;

    // Replaces the ranges with those of a file's text; a malformed text (or one larger than
    // kMaxFileBytes) is refused whole (false) and leaves no ranges.
    bool Parse(const char* text, size_t size);

    // Country code of ip when a range holds it.
    bool Find(uint32_t ip, uint16_t& code) const;
    size_t RangeCount() const { return ranges.size(); }

private:
    struct Range {
        uint32_t first;
        uint32_t last;
        uint16_t code;
    };

    std::vector<Range> ranges; // sorted by first address, disjoint
};

} // namespace Portico
