#include "panels/BuddyServerRelay.h"

#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "query/QueryContext.h"

namespace Portico {
namespace {

// Payload integers are little-endian whatever the machine; missing bytes read as zero.
uint32_t ReadLittle(ByteInStream& in, uint32_t bytes) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < bytes; ++i) {
        unsigned char b = 0;
        in >> b;
        value |= uint32_t(b) << (8 * i);
    }
    return value;
}

void WriteLittle(uint8_t* out, uint32_t value, uint32_t bytes) {
    for (uint32_t i = 0; i < bytes; ++i)
        out[i] = uint8_t(value >> (8 * i));
}

} // namespace

bool BuddyServerRelay::Request() {
    return context.SendProtocolMessage(kRelayAllBuddies, nullptr, 0);
}

bool BuddyServerRelay::Announce(uint32_t ip, uint16_t port) {
    const uint16_t gameId = ip != 0 ? uint16_t(context.RunningGameId()) : 0;
    uint8_t payload[kRelayAnnounceBytes];
    BuildAnnouncement(gameId, ip, port, payload);
    return context.SendProtocolMessage(kRelayOneBuddy, payload, kRelayAnnounceBytes);
}

void BuddyServerRelay::BuildAnnouncement(uint16_t gameId, uint32_t ip, uint16_t port,
                                         uint8_t out[kRelayAnnounceBytes]) {
    WriteLittle(out, gameId, 2);
    WriteLittle(out + 2, ip, 4);
    WriteLittle(out + 6, port, 2);
}

void BuddyServerRelay::Receive(uint8_t type, ByteInStream& payload) {
    if (type == kRelayOneBuddy) {
        HandleEntry(ReadEntry(payload), nullptr);
        return;
    }
    if (type != kRelayAllBuddies)
        return;
    const uint32_t count = ReadLittle(payload, 2);
    // A count beyond what the payload holds ends with the payload, not with phantom entries.
    for (uint32_t i = 0; i < count && payload.Remaining() > 0; ++i)
        HandleEntry(ReadEntry(payload), u"");
}

BuddyServerRelay::Entry BuddyServerRelay::ReadEntry(ByteInStream& payload) {
    Entry entry;
    entry.key = ReadLittle(payload, 4);
    entry.gameId = uint16_t(ReadLittle(payload, 2));
    entry.ip = ReadLittle(payload, 4);
    entry.port = uint16_t(ReadLittle(payload, 2));
    return entry;
}

void BuddyServerRelay::HandleEntry(const Entry& entry, const char16_t* name) {
    MessageWindow* panel = context.BuddyWindow();
    if (entry.ip == 0) {
        context.CancelProbe(entry.key);
        if (panel)
            panel->Send(kMsgBuddyNoServer, entry.key, 0);
        return;
    }
    // The relay carries no password flag; the server's own answer brings the real one.
    const ProbeAnswer shown{entry.key, entry.gameId, 0};
    const ServerAddress address{entry.ip, entry.port, entry.gameId};
    if (panel) {
        panel->Send(kMsgBuddyGame, reinterpret_cast<uintptr_t>(&shown),
                    reinterpret_cast<intptr_t>(name));
        panel->Send(kMsgBuddyAddress, entry.key, reinterpret_cast<intptr_t>(&address));
    }
    context.ProbeServer(address, entry.key);
}

} // namespace Portico
