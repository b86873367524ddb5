#include "CountryDatabase.h"

#include "Quillon.h"
#include "abi/RegionTable.h"

namespace Portico {

uint8_t CountryDatabase::Lookup(uint32_t ip, unsigned char* out) const {
    uint16_t code = 0;
    uint8_t source = kQuillonFromOverride;
    if (!overrides.Find(ip, code)) {
        code = ranges.Find(ip);
        source = code ? kQuillonFromData : kQuillonNoCountry;
    }
    out[0] = static_cast<unsigned char>(code >> 8);
    out[1] = static_cast<unsigned char>(code & 0xFF);
    out[2] = source;
    return code ? RegionTable::Lookup(code) : 0;
}

} // namespace Portico
