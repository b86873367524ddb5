#include "SourceRcon.h"

#include <cstring>

namespace Portico {

SimBytes EncodeSourceRcon(int32_t id, int32_t type, const std::string& body) {
    SimWriter out;
    out.Int32(uint32_t(body.size() + kSourceRconMinSize)).Int32(uint32_t(id)).Int32(uint32_t(type));
    out.Text(body).Byte(0);
    return out.Take();
}

SourceRconFramer::Result SourceRconFramer::Next(SourceRconPacket& packet) {
    if (failed)
        return Result::Malformed;
    if (pending.size() < 4)
        return Result::NeedMore;
    const uint32_t size = ReadInt32(pending.data());
    if (size < kSourceRconMinSize || size > kSourceRconMaxSize) {
        failed = true;
        return Result::Malformed;
    }
    if (pending.size() < 4 + size)
        return Result::NeedMore;
    const char* body = pending.data() + 12;
    const size_t room = size - 8;
    const void* nul = std::memchr(body, 0, room);
    if (nul == nullptr) {
        failed = true;
        return Result::Malformed;
    }
    packet.id = int32_t(ReadInt32(pending.data() + 4));
    packet.type = int32_t(ReadInt32(pending.data() + 8));
    packet.body.assign(body, static_cast<const char*>(nul) - body);
    pending.erase(0, 4 + size);
    return Result::Packet;
}

bool SourceRconSession::Feed(const char* data, size_t size, SimBytes& out) {
    framer.Append(data, size);
    SourceRconPacket packet;
    for (;;) {
        switch (framer.Next(packet)) {
        case SourceRconFramer::Result::NeedMore:
            return true;
        case SourceRconFramer::Result::Malformed:
            return false;
        case SourceRconFramer::Result::Packet:
            if (!Answer(packet, out))
                return false;
        }
    }
}

// A login is answered by an empty response value and the auth answer; an empty response value
// from the client (clients send one after a command to find the end of its output) is mirrored.
bool SourceRconSession::Answer(const SourceRconPacket& packet, SimBytes& out) {
    using namespace SourceRconType;
    const bool hostileLogin = fault == SimRconFault::Oversize || fault == SimRconFault::Endless;
    if (hostileLogin && packet.type == kAuth) {
        AnswerHostile(packet, out);
        return true;
    }
    switch (packet.type) {
    case kAuth:
        authenticated = console.Accepts(packet.body);
        out += EncodeSourceRcon(packet.id, kResponseValue, "");
        out += EncodeSourceRcon(authenticated ? packet.id : -1, kAuthResponse, "");
        return true;
    case kCommand:
        // A console that closes ends the connection at the first command after the login.
        if (!authenticated || fault == SimRconFault::Close)
            return false;
        for (const std::string& piece : CutText(console.Run(packet.body), kSourceRconOutputBytes))
            out += EncodeSourceRcon(packet.id, kResponseValue, piece);
        return true;
    case kResponseValue:
        out += EncodeSourceRcon(packet.id, kResponseValue, "");
        return true;
    default:
        return true;
    }
}

// The header of a packet that a sane client never finishes waiting for.
void SourceRconSession::AnswerHostile(const SourceRconPacket& packet, SimBytes& out) {
    const bool oversize = fault == SimRconFault::Oversize;
    SimWriter header;
    header.Int32(oversize ? kSourceRconOversize : kSourceRconEndlessSize)
        .Int32(uint32_t(packet.id))
        .Int32(uint32_t(SourceRconType::kResponseValue));
    out += header.Take();
    endless = !oversize;
}

} // namespace Portico
