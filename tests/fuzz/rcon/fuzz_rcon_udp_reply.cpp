// Reads arbitrary datagrams as replies to the remote console's UDP socket.
#include "FuzzRequire.h"
#include "rcon/RconUdpReply.h"

#include <cstddef>
#include <cstdint>

using namespace Portico;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Utils::InStreamT<unsigned char> datagram(data, uint32_t(size));
    const RconUdpReply reply = ReadRconUdpReply(datagram);
    Require(reply.text.size() + 4 <= size || reply.text.empty());
    Require(reply.text.find('\0') == std::string::npos);
    if (reply.kind != RconUdpReply::Kind::Output)
        Require(reply.text.empty());
    if (reply.kind != RconUdpReply::Kind::Challenge)
        Require(reply.challenge == 0);
    return 0;
}
