// Building SQL text: the store's statements are printf-style formats.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace Portico {

inline std::string SqlFormat(const char* format, ...) {
    char small[256];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(small, sizeof(small), format, arguments);
    va_end(arguments);
    if (length < 0)
        return std::string();
    if (size_t(length) < sizeof(small))
        return std::string(small, size_t(length));
    std::string text(size_t(length) + 1, '\0');
    va_start(arguments, format);
    std::vsnprintf(&text[0], text.size(), format, arguments);
    va_end(arguments);
    text.resize(size_t(length));
    return text;
}

// The text with every single quote doubled, for a '...' literal.
inline std::string SqlQuoted(const std::string& text) {
    std::string quoted;
    quoted.reserve(text.size());
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted;
}

} // namespace Portico
