// The plug-in's private window messages. All are sent synchronously, never posted, so a
// pointer in a message is valid for the length of the call.
#pragma once

#include <cstdint>

namespace Portico {

constexpr uint32_t kMsgResortByPing = 0x2000;  // browser: re-sort by round-trip time
constexpr uint32_t kMsgServerRecord = 0x2001;  // lParam: const ServerRecord*
constexpr uint32_t kMsgListRefill = 0x2002;    // the list is about to be refilled
constexpr uint32_t kMsgPlayerList = 0x2003;    // lParam: const PlayerList*
constexpr uint32_t kMsgBuddyNoServer = 0x2010; // buddy-list panel: a buddy plays nowhere
constexpr uint32_t kMsgBuddyGame = 0x2011;     // wParam: const ProbeAnswer*, lParam: name
constexpr uint32_t kMsgBuddyAddress = 0x2012;  // buddy-list panel: a buddy's server address
constexpr uint32_t kMsgRoomServers = 0x2020;   // chat-room panel: wParam count, lParam list
constexpr uint32_t kMsgGameServer = 0x2099;    // browser: the game reports its server
constexpr uint32_t kMsgRconNotify = 0x2100;    // console window: RCON notification

constexpr uint32_t kPrivateMessages[] = {
    kMsgResortByPing, kMsgServerRecord, kMsgListRefill,  kMsgPlayerList, kMsgBuddyNoServer,
    kMsgBuddyGame,    kMsgBuddyAddress, kMsgRoomServers, kMsgGameServer, kMsgRconNotify};

} // namespace Portico
