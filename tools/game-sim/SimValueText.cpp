#include "SimValueText.h"

#include "utils/ParseNumber.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace Portico {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool SimFail(std::string& error, const std::string& why) {
    error = why;
    return false;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t& value) {
    return Utils::ParseDecimal(text, value, max);
}

bool ParseSigned(const std::string& text, int32_t& value) {
    return Utils::ParseDecimal(text, value);
}

bool ParseReal(const std::string& text, double& value) {
    if (text.empty() || text.size() > 64 || text.find_first_of(" \t") != std::string::npos)
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && value == value &&
           value != std::numeric_limits<double>::infinity() &&
           value != -std::numeric_limits<double>::infinity();
}

std::string RealText(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

bool ParseFlag(const std::string& text, bool& value) {
    const std::string word = Lower(text);
    if (word == "yes" || word == "on" || word == "true" || word == "1")
        value = true;
    else if (word == "no" || word == "off" || word == "false" || word == "0")
        value = false;
    else
        return false;
    return true;
}

Values SplitBars(const std::string& raw) {
    Values parts(1);
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            parts.back() += raw.substr(i, 2);
            ++i;
        } else if (raw[i] == '|') {
            parts.emplace_back();
        } else {
            parts.back() += raw[i];
        }
    }
    return parts;
}

bool UnescapeValue(const std::string& raw, std::string& text) {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i >= raw.size())
            return false;
        switch (raw[i]) {
        case '\\':
            out += '\\';
            break;
        case '|':
            out += '|';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            const int high = i + 1 < raw.size() ? HexDigit(raw[i + 1]) : -1;
            const int low = i + 2 < raw.size() ? HexDigit(raw[i + 2]) : -1;
            if (high < 0 || low < 0)
                return false;
            out += char(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    text = out;
    return true;
}

// Blanks at either end are escaped too: values are trimmed when read.
std::string EscapeValue(const std::string& text) {
    static const char* const kHex = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool edge = i == 0 || i + 1 == text.size();
        if (c == '\\' || c == '|')
            out += std::string("\\") + char(c);
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c == 0x7F || (edge && c == ' '))
            out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
        else
            out += char(c);
    }
    return out;
}

} // namespace Portico
