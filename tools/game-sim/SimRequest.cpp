#include "SimRequest.h"

#include "SimBytes.h"

#include "utils/AddressText.h"

#include <charconv>
#include <cstring>

namespace Portico {

namespace {

const char kInfoPayload[] = "Source Engine Query"; // with its NUL: 20 bytes
constexpr size_t kHeaderBytes = 4;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Text of a connectionless command: the bytes after the header, without the line ends and
// NULs that clients put after it.
std::string CommandText(const char* data, size_t size) {
    std::string text(data + kHeaderBytes, size - kHeaderBytes);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\0'))
        text.pop_back();
    return text;
}

bool StartsWithWord(const std::string& text, const char* word, std::string& rest) {
    const size_t n = std::strlen(word);
    if (text.compare(0, n, word) != 0 || (text.size() > n && !IsBlank(text[n])))
        return false;
    const size_t first = text.find_first_not_of(" \t", n);
    rest = first == std::string::npos ? std::string() : text.substr(first);
    return true;
}

bool IsPlainChallenge(const std::string& text) {
    if (text.size() > kMaxQuakeChallenge)
        return false;
    for (unsigned char c : text)
        if (c < 0x21 || c > 0x7E || c == '\\' || c == '"')
            return false;
    return true;
}

SimRequest ParseA2s(const char* data, size_t size) {
    SimRequest request;
    const char type = data[kHeaderBytes];
    const char* body = data + kHeaderBytes + 1;
    const size_t bodySize = size - kHeaderBytes - 1;
    if (type == 'T') {
        if (bodySize < sizeof kInfoPayload || std::memcmp(body, kInfoPayload, sizeof kInfoPayload))
            return request;
        request.kind = SimRequestKind::A2sInfo;
        request.hasChallenge = bodySize >= sizeof kInfoPayload + 4;
        if (request.hasChallenge)
            request.challenge = ReadInt32(body + sizeof kInfoPayload);
    } else if ((type == 'U' || type == 'V') && bodySize >= 4) {
        request.kind = type == 'U' ? SimRequestKind::A2sPlayer : SimRequestKind::A2sRules;
        request.hasChallenge = true;
        request.challenge = ReadInt32(body);
    } else if (type == 'W') {
        request.kind = SimRequestKind::A2sGetChallenge;
    }
    return request;
}

SimRequest ParseValveMaster(const char* data, size_t size) {
    SimRequest request;
    if (size < 2)
        return request;
    const char* seed = data + 2;
    const size_t seedRoom = size - 2;
    const void* seedEnd = std::memchr(seed, 0, seedRoom);
    if (seedEnd == nullptr)
        return request;
    const size_t seedLength = static_cast<const char*>(seedEnd) - seed;
    const char* filter = seed + seedLength + 1;
    const size_t filterRoom = seedRoom - seedLength - 1;
    const void* filterEnd = std::memchr(filter, 0, filterRoom);
    if (filterEnd == nullptr || !ParseAddressText(std::string(seed, seedLength), request.seed))
        return request;
    request.kind = SimRequestKind::ValveMaster;
    request.region = uint8_t(data[1]);
    request.filter.assign(filter, static_cast<const char*>(filterEnd) - filter);
    return request;
}

SimRequest ParseQuakeMaster(const std::string& arguments) {
    SimRequest request;
    const char* end = arguments.data() + arguments.size();
    const auto [stop, error] = std::from_chars(arguments.data(), end, request.protocol);
    const size_t at = size_t(stop - arguments.data());
    if (error != std::errc() || (at < arguments.size() && !IsBlank(arguments[at])))
        return request;
    request.kind = SimRequestKind::QuakeMaster;
    std::vector<std::string> word;
    std::string rest = arguments.substr(at);
    while (SplitRconWords(rest, 1, word, rest)) {
        request.empty = request.empty || word[0] == "empty";
        request.full = request.full || word[0] == "full";
    }
    return request;
}

SimRequest ParseCommand(const char* data, size_t size) {
    SimRequest request;
    const std::string text = CommandText(data, size);
    std::string rest;
    if (StartsWithWord(text, "getstatus", rest) || StartsWithWord(text, "getinfo", rest)) {
        if (!IsPlainChallenge(rest))
            return request;
        request.kind = text[3] == 's' ? SimRequestKind::QuakeStatus : SimRequestKind::QuakeInfo;
        request.challengeText = rest;
    } else if (StartsWithWord(text, "getservers", rest)) {
        return ParseQuakeMaster(rest);
    } else if (text == "challenge rcon") {
        request.kind = SimRequestKind::RconChallenge;
    } else if (StartsWithWord(text, "rcon", rest)) {
        request.kind = SimRequestKind::Rcon;
        request.rconText = rest;
    }
    return request;
}

} // namespace

SimRequest ParseSimRequest(const char* data, size_t size) {
    if (size >= 1 && uint8_t(data[0]) == 0x31)
        return ParseValveMaster(data, size);
    if (size <= kHeaderBytes || std::memcmp(data, kSimHeader, kHeaderBytes) != 0)
        return SimRequest();
    const char type = data[kHeaderBytes];
    if (type == 'T' || type == 'U' || type == 'V' || type == 'W')
        return ParseA2s(data, size);
    return ParseCommand(data, size);
}

bool SplitRconWords(const std::string& text, size_t count, std::vector<std::string>& words,
                    std::string& rest) {
    words.clear();
    size_t at = 0;
    while (words.size() < count) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        if (at >= text.size())
            return false;
        std::string word;
        if (text[at] == '"') {
            const size_t close = text.find('"', at + 1);
            const size_t end = close == std::string::npos ? text.size() : close;
            word = text.substr(at + 1, end - at - 1);
            at = close == std::string::npos ? text.size() : close + 1;
        } else {
            const size_t end = text.find_first_of(" \t", at);
            word = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
            at = end == std::string::npos ? text.size() : end;
        }
        words.push_back(word);
    }
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    rest = text.substr(at);
    return true;
}

bool ParseAddressText(const std::string& text, SimAddress& address) {
    return Utils::ParseIPv4Port(text, address.ip, address.port);
}

} // namespace Portico
