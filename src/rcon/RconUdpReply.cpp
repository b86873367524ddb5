#include "rcon/RconUdpReply.h"

#include <cctype>
#include <charconv>
#include <cstring>
#include <limits>

namespace Portico {

namespace {

constexpr char kChallengePrefix[] = "challenge rcon ";
constexpr char kPrintPrefix[] = "print\n";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

} // namespace

uint32_t ReadChallengeNumber(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    uint32_t number = 0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), number);
    if (result.ec == std::errc::result_out_of_range)
        return std::numeric_limits<uint32_t>::max();
    return result.ec == std::errc() ? number : 0;
}

// The order of the tests matters: any text that starts with 'l' is output, even "lprint\n".
RconUdpReply ReadRconUdpReply(Utils::InStreamT<unsigned char>& datagram) {
    RconUdpReply reply;
    if (datagram.Remaining() < 4)
        return reply;
    int32_t header = 0;
    datagram >> header;
    if (header != -1)
        return reply;
    std::string text;
    datagram >> text;
    if (StartsWith(text, kChallengePrefix)) {
        reply.kind = RconUdpReply::Kind::Challenge;
        reply.challenge = ReadChallengeNumber(text.substr(sizeof kChallengePrefix - 1));
    } else if (!text.empty() && text[0] == 'l') {
        reply.kind = RconUdpReply::Kind::Output;
        reply.text = text.substr(1);
    } else if (StartsWith(text, kPrintPrefix)) {
        reply.kind = RconUdpReply::Kind::Output;
        reply.text = text.substr(sizeof kPrintPrefix - 1);
    }
    return reply;
}

} // namespace Portico
