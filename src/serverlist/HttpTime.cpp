#include "serverlist/HttpTime.h"

#include <charconv>
#include <cstring>
#include <ctime>

namespace Portico {

namespace {

const char* const kWeekdays[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                               "jul", "aug", "sep", "oct", "nov", "dec"};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Index of the name whose three letters start the word, or -1.
int FindName(const char* word, size_t length, const char* const* names, int count) {
    if (length < 3)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (Lower(word[0]) == names[i][0] && Lower(word[1]) == names[i][1] &&
            Lower(word[2]) == names[i][2])
            return i;
    }
    return -1;
}

// Reads up to maxDigits digits at text[i]; false when there is none or more follow.
bool ReadNumber(const char* text, size_t length, size_t& i, int maxDigits, int& value,
                int& digits) {
    value = 0;
    digits = 0;
    if (i >= length || !IsDigit(text[i]))
        return false;
    const auto [stop, error] = std::from_chars(text + i, text + length, value);
    digits = int(stop - (text + i));
    i += size_t(digits);
    return error == std::errc() && digits <= maxDigits;
}

bool ReadClock(const char* text, size_t length, size_t& i, HttpTime& time) {
    int digits;
    int* parts[] = {&time.hour, &time.minute, &time.second};
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (i >= length || text[i] != ':')
                return false;
            ++i;
        }
        if (!ReadNumber(text, length, i, 2, *parts[k], digits))
            return false;
    }
    return time.hour <= 23 && time.minute <= 59 && time.second <= 60;
}

struct Fields {
    bool month = false, day = false, year = false, clock = false;
};

void ReadWord(const char* text, size_t length, size_t& i, HttpTime& time, Fields& seen) {
    const size_t start = i;
    while (i < length && IsLetter(text[i]))
        ++i;
    const int month = FindName(text + start, i - start, kMonths, 12);
    if (month >= 0 && !seen.month) {
        time.month = month + 1;
        seen.month = true;
        return;
    }
    // Other words than weekdays ("GMT") carry nothing.
    const int weekday = FindName(text + start, i - start, kWeekdays, 7);
    if (weekday >= 0)
        time.weekday = weekday;
}

bool ReadDigits(const char* text, size_t length, size_t& i, HttpTime& time, Fields& seen) {
    const size_t start = i;
    int value;
    int digits;
    if (!ReadNumber(text, length, i, 4, value, digits))
        return false;
    if (i < length && text[i] == ':') {
        i = start;
        if (seen.clock || !ReadClock(text, length, i, time))
            return false;
        seen.clock = true;
    } else if (!seen.day && digits <= 2) {
        time.day = value;
        seen.day = true;
    } else if (!seen.year && (digits == 2 || digits == 4)) {
        time.year = digits == 4 ? value : (value < 70 ? 2000 + value : 1900 + value);
        seen.year = true;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseHttpDate(const char* text, size_t length, HttpTime& time) {
    time = HttpTime();
    Fields seen;
    size_t i = 0;
    while (i < length) {
        const char c = text[i];
        if (IsLetter(c)) {
            ReadWord(text, length, i, time, seen);
        } else if (IsDigit(c)) {
            if (!ReadDigits(text, length, i, time, seen))
                return false;
        } else if (c == ' ' || c == ',' || c == '-' || c == '\t') {
            ++i;
        } else {
            return false;
        }
    }
    return seen.month && seen.day && seen.year && seen.clock && time.day >= 1 && time.day <= 31 &&
           time.year >= 1601;
}

int64_t HttpTimeToSeconds(const HttpTime& time) {
    std::tm fields;
    std::memset(&fields, 0, sizeof(fields));
    fields.tm_sec = time.second;
    fields.tm_min = time.minute;
    fields.tm_hour = time.hour;
    fields.tm_mday = time.day;
    fields.tm_mon = time.month - 1;
    fields.tm_year = time.year - 1900;
    fields.tm_wday = time.weekday;
    fields.tm_yday = 0;
    fields.tm_isdst = 0;
    return static_cast<int64_t>(std::mktime(&fields));
}

} // namespace Portico
