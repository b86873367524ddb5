// What a datagram sent to a simulated server or master asks for. Datagrams come from anywhere
// on the machine: everything is read within their bounds, and whatever does not match a
// request's layout is Unknown.
#pragma once

#include "SimConfig.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

enum class SimRequestKind {
    Unknown,
    A2sInfo,         // FF FF FF FF 54 "Source Engine Query" NUL [challenge]
    A2sPlayer,       // FF FF FF FF 55 challenge
    A2sGetChallenge, // FF FF FF FF 57
    A2sRules,        // FF FF FF FF 56 challenge
    ValveMaster,     // 31 region seed NUL filter NUL
    QuakeStatus,     // FF FF FF FF "getstatus" [challenge]
    QuakeInfo,       // FF FF FF FF "getinfo" [challenge]
    QuakeMaster,     // FF FF FF FF "getservers" protocol [empty] [full]
    RconChallenge,   // FF FF FF FF "challenge rcon"
    Rcon,            // FF FF FF FF "rcon" arguments
};

struct SimRequest {
    SimRequestKind kind = SimRequestKind::Unknown;
    // A2S
    bool hasChallenge = false;
    uint32_t challenge = 0;
    // Quake III status and info: the challenge to echo (printable, no '\' or '"')
    std::string challengeText;
    // Valve master
    uint8_t region = 0;
    SimAddress seed;
    std::string filter;
    // Quake III master
    uint32_t protocol = 0;
    bool empty = false;
    bool full = false;
    // rcon: everything after "rcon "
    std::string rconText;
};

// Longest Quake III challenge echoed back.
constexpr size_t kMaxQuakeChallenge = 64;

SimRequest ParseSimRequest(const char* data, size_t size);

// The first count words of text (a word in double quotes may hold blanks) and, in rest, the
// text after them without its leading blanks. False when text has fewer words.
bool SplitRconWords(const std::string& text, size_t count, std::vector<std::string>& words,
                    std::string& rest);

// "a.b.c.d:port" to an address; false for anything else.
bool ParseAddressText(const std::string& text, SimAddress& address);

} // namespace Portico
