// The override file reader over arbitrary texts.
#include "CountryOverrides.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Portico::CountryOverrides overrides;
    if (overrides.Parse(reinterpret_cast<const char*>(data), size)) {
        uint16_t code = 0;
        for (uint32_t ip : {0u, 0x7F000001u, 0x7F000100u, 0xFFFFFFFFu})
            overrides.Find(ip, code);
    }
    return 0;
}
