#include "ScriptWords.h"

#include <charconv>

namespace Lumora {

unsigned long long Number(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* start = text.data() + (hex ? 2 : 0);
    unsigned long long value = 0;
    std::from_chars(start, text.data() + text.size(), value, hex ? 16 : 10);
    return value;
}

std::string Rest(const std::string& line, const std::string& word) {
    const size_t at = line.find(word);
    const size_t from = at == std::string::npos ? line.size() : at + word.size() + 1;
    return from < line.size() ? line.substr(from) : std::string();
}

} // namespace Lumora
