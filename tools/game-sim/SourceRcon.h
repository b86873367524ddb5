// Source RCON over TCP, server side: packet layout, the framer that cuts the received stream
// into packets, and the session that answers them.
#pragma once

#include "RconConsole.h"
#include "SimBytes.h"
#include "SimConfig.h"

#include <cstdint>

namespace Portico {

namespace SourceRconType {
constexpr int32_t kResponseValue = 0;
constexpr int32_t kCommand = 2;
constexpr int32_t kAuthResponse = 2;
constexpr int32_t kAuth = 3;
} // namespace SourceRconType

// The size field counts the bytes after it: id, type, body and two NULs.
constexpr uint32_t kSourceRconMinSize = 10;
constexpr uint32_t kSourceRconMaxSize = 4096;
// Output bytes per response value, so that a packet stays within kSourceRconMaxSize.
constexpr size_t kSourceRconOutputBytes = 4000;

struct SourceRconPacket {
    int32_t id = 0;
    int32_t type = 0;
    std::string body;
};

SimBytes EncodeSourceRcon(int32_t id, int32_t type, const std::string& body);

class SourceRconFramer {
public:
    enum class Result { Packet, NeedMore, Malformed };

    void Append(const char* data, size_t size) { pending.append(data, size); }
    // The next whole packet. Malformed (a size outside 10..4096, no NUL after the body) stays
    // malformed: the stream cannot be resynchronised.
    Result Next(SourceRconPacket& packet);

private:
    std::string pending;
    bool failed = false;
};

class SourceRconSession {
public:
    explicit SourceRconSession(const RconConsole& console, SimRconFault fault = SimRconFault::None)
        : console(console), fault(fault) {}

    // Takes received bytes and appends the answers to out. False: the connection is to end
    // (malformed stream, or a command before a successful login).
    bool Feed(const char* data, size_t size, SimBytes& out);
    // A hostile console has begun a packet that never ends: the connection is to send filler
    // from now on.
    bool Endless() const { return endless; }

private:
    bool Answer(const SourceRconPacket& packet, SimBytes& out);
    void AnswerHostile(const SourceRconPacket& packet, SimBytes& out);

    const RconConsole& console;
    const SimRconFault fault;
    SourceRconFramer framer;
    bool authenticated = false;
    bool endless = false;
};

// Size fields of the hostile consoles' answers to a login.
constexpr uint32_t kSourceRconOversize = 0x80000000u;
constexpr uint32_t kSourceRconEndlessSize = 1u << 20;

} // namespace Portico
