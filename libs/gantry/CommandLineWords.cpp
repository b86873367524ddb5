#include "CommandLineWords.h"

#include "utils/AddressText.h"

namespace Portico {
namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// The address words are ASCII; anything else is no address.
bool ToAscii(const std::u16string& word, std::string& text) {
    text.clear();
    for (char16_t c : word) {
        if (c > 0x7F)
            return false;
        text += char(c);
    }
    return true;
}

} // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
    line = line.substr(0, kMaxChars);
    std::vector<std::u16string> words;
    std::u16string word;
    bool inWord = false, quoted = false;
    for (char16_t c : line) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == u' ' || c == u'\t') && !quoted) {
            if (inWord && words.size() < kMaxWords)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord && words.size() < kMaxWords)
        words.push_back(word);
    return words;
}

bool WordAfter(const std::vector<std::u16string>& words, std::u16string_view name,
               std::u16string& word) {
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (SameName(words[i], name)) {
            word = words[i + 1];
            return true;
        }
    }
    return false;
}

bool FindConnectTarget(const std::vector<std::u16string>& words, uint32_t& ip, uint16_t& port) {
    std::u16string word;
    std::string text;
    if (!WordAfter(words, u"+connect", word) || !ToAscii(word, text))
        return false;
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return false;
    uint32_t address = 0;
    uint16_t number = 0;
    if (!Utils::ParseIPv4(std::string_view(text).substr(0, colon), address) ||
        !Utils::ParsePort(std::string_view(text).substr(colon + 1), number))
        return false;
    ip = address;
    port = number;
    return true;
}

} // namespace Portico
