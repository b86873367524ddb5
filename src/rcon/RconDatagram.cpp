#include "rcon/RconDatagram.h"

#include "utils/Utf.h"

#include <vector>

namespace Portico {

namespace {

void WriteDatagram(const std::string& text, ByteOutStream& out) {
    const unsigned char header[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    out.Write(header, sizeof header);
    out << text.c_str();
}

// The library's text up to its NUL, never past the buffer, whatever the library wrote.
std::string TextOf(const std::vector<char>& buffer) {
    return std::string(buffer.data(), Utils::Utf::BoundedLength(buffer.data(), buffer.size()));
}

} // namespace

bool BuildRconChallengeRequest(const GameProtocol& game, ByteOutStream& out) {
    std::vector<char> buffer(kRconBufferBytes, '\0');
    if (!game.BuildRconChallenge(buffer.data()))
        return false;
    WriteDatagram(TextOf(buffer), out);
    return true;
}

void BuildRconCommand(const GameProtocol& game, const std::string& password, uint32_t challenge,
                      const std::string& command, ByteOutStream& out) {
    std::vector<char> buffer(kRconBufferBytes, '\0');
    game.BuildRconPrefix(buffer.data(), password.c_str(), challenge);
    WriteDatagram(TextOf(buffer) + command, out);
}

} // namespace Portico
