// The modification time of an HTTP response: the header's calendar fields and their
// conversion to seconds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Portico {

struct HttpTime {
    int year = 0;  // four digits
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0; // 0 = Sunday; 0 when the text names none
};

// Reads an HTTP date in any of its three forms ("Sun, 06 Nov 1994 08:49:37 GMT",
// "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994"). False when a field is
// missing or out of range.
bool ParseHttpDate(const char* text, size_t length, HttpTime& time);

// The run-time library's local-time conversion of the fields with daylight saving off, so
// the header's time of day is read as local standard time (the server lists were always
// stamped this way, and stored times must keep comparing equal).
int64_t HttpTimeToSeconds(const HttpTime& time);

} // namespace Portico
