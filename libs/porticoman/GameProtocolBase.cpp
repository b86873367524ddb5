#include "GameProtocolBase.h"

#include "MonotonicClock.h"
#include "RequestWriter.h"
#include "TextCopy.h"
#include "ThreadSlot.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace Portico {

namespace {

// The caller sends the stream before its next call into the library, so one stream per
// thread serves every game.
ByteOutStream& ThreadRequestStream() {
    static PerThreadT<ByteOutStream>* const streams = new PerThreadT<ByteOutStream>;
    ByteOutStream& stream = streams->Get();
    stream.Clear();
    return stream;
}

std::string DottedAddress(uint32_t ip, uint16_t port) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u:%u", ip >> 24, ip >> 16 & 0xFF, ip >> 8 & 0xFF,
                  ip & 0xFF, unsigned(port));
    return text;
}

} // namespace

const ByteOutStream* GameProtocolBase::BuildQuery() {
    ByteOutStream& out = ThreadRequestStream();
    WriteQuery(out);
    return &out;
}

const ByteOutStream* GameProtocolBase::BuildDetailRequest(const ServerAddress& address) {
    ByteOutStream& out = ThreadRequestStream();
    const uint64_t server = ChallengeCache::Key(address.ip, address.port);
    const uint64_t nowMs = MonotonicMs();
    uint32_t challenge;
    if (challenges.TakePendingInfo(server, challenge, nowMs))
        RequestWriter::A2sInfo(out, challenge);
    else
        WriteDetailRequest(out, server, nowMs);
    return &out;
}

bool GameProtocolBase::GetInstallLocation(uint32_t& rootKey, const char16_t*& subKey,
                                          const char16_t*& valueName,
                                          const char16_t*& fileName) const {
    rootKey = recipe.registryRoot;
    subKey = recipe.subKey;
    valueName = recipe.valueName;
    fileName = recipe.fileName;
    return true;
}

void GameProtocolBase::GetConnectArguments(char16_t* buffer, uint32_t capacity,
                                           const ServerAddress& address) const {
    WriteWhole(buffer, capacity, "+connect " + DottedAddress(address.ip, address.port));
}

RconKind GameProtocolBase::GetRconKind() const {
    switch (recipe.rcon) {
    case RconStyle::kSourceTcp:
        return kRconTcp;
    case RconStyle::kGoldSrcUdp:
    case RconStyle::kQuakeUdp:
        return kRconUdp;
    default:
        return kRconNone;
    }
}

bool GameProtocolBase::BuildRconChallenge(char* buffer) const {
    if (recipe.rcon != RconStyle::kGoldSrcUdp)
        return false;
    return WriteWhole(buffer, kRconBufferBytes, "challenge rcon\n");
}

// A prefix that does not fit is left empty: a cut password would only fail at the server.
void GameProtocolBase::BuildRconPrefix(char* buffer, const char* password,
                                       uint32_t challenge) const {
    const std::string secret(password ? password : "",
                             password ? strnlen(password, kRconBufferBytes) : 0);
    std::string prefix;
    if (recipe.rcon == RconStyle::kGoldSrcUdp)
        prefix = "rcon " + std::to_string(challenge) + " \"" + secret + "\" ";
    else if (recipe.rcon == RconStyle::kQuakeUdp)
        prefix = "rcon " + secret + " ";
    WriteWhole(buffer, kRconBufferBytes, prefix);
}

} // namespace Portico
