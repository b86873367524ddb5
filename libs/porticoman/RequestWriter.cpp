#include "RequestWriter.h"

namespace Portico {

namespace {

constexpr unsigned char kHeader[4] = {0xFF, 0xFF, 0xFF, 0xFF};
constexpr char kInfoRequest[] = "\x54Source Engine Query"; // sent with its NUL
constexpr unsigned char kPlayersRequest = 0x55;
constexpr char kStatusRequest[] = "getstatus";

void WriteLittleEndian(ByteOutStream& out, uint32_t value) {
    const unsigned char bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                                    uint8_t(value >> 24)};
    out.Write(bytes, sizeof bytes);
}

} // namespace

void RequestWriter::A2sInfo(ByteOutStream& out) {
    out.Write(kHeader, sizeof kHeader);
    out.Write(kInfoRequest, sizeof kInfoRequest);
}

void RequestWriter::A2sInfo(ByteOutStream& out, uint32_t challenge) {
    A2sInfo(out);
    WriteLittleEndian(out, challenge);
}

void RequestWriter::A2sPlayers(ByteOutStream& out, uint32_t challenge) {
    out.Write(kHeader, sizeof kHeader);
    out.Write(&kPlayersRequest, 1);
    WriteLittleEndian(out, challenge);
}

void RequestWriter::QuakeStatus(ByteOutStream& out) {
    out.Write(kHeader, sizeof kHeader);
    out.Write(kStatusRequest, sizeof kStatusRequest - 1);
}

} // namespace Portico
