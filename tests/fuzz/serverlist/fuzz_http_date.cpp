// The Last-Modified header's text, as a server sends it.
#include "serverlist/HttpTime.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Portico::HttpTime time;
    if (Portico::ParseHttpDate(reinterpret_cast<const char*>(data), size, time)) {
        if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 ||
            time.minute > 59 || time.second > 60 || time.year < 1601)
            std::abort();
        Portico::HttpTimeToSeconds(time);
    }
    return 0;
}
