// What crosses the boundary between the plug-in and the game-protocol library PorticoMan.dll:
// the plain records both sides fill, and the two object interfaces the library exports.
// Both sides are built from this header; the order of the virtual operations is the tables'.
#pragma once

#include "utils/ArrayT.h"
#include "utils/InStreamT.h"
#include "utils/OutStreamT.h"

#include <cstddef>
#include <cstdint>

namespace Portico {

// The key of every server. ip and port in host byte order.
struct ServerAddress {
    uint32_t ip;
    uint16_t port;
    uint16_t gameId;
};
static_assert(sizeof(ServerAddress) == 8, "ServerAddress crosses the library boundary");

inline bool operator==(const ServerAddress& a, const ServerAddress& b) {
    return a.ip == b.ip && a.port == b.port && a.gameId == b.gameId;
}
inline bool operator!=(const ServerAddress& a, const ServerAddress& b) {
    return !(a == b);
}
inline bool operator<(const ServerAddress& a, const ServerAddress& b) {
    if (a.ip != b.ip)
        return a.ip < b.ip;
    if (a.port != b.port)
        return a.port < b.port;
    return a.gameId < b.gameId;
}

// One server's answer, zero-filled before every parse. maxPlayers 0 = no server information.
struct ServerInfo {
    char16_t name[128]; // UTF-16, NUL-terminated
    char map[128];      // UTF-8, NUL-terminated
    char gameType[32];  // UTF-8, NUL-terminated
    uint8_t players;
    uint8_t maxPlayers;
    uint8_t needPass; // nonzero: joining asks for a password
    uint8_t unused;
    uint16_t connectPort; // the port to join when it differs from the query port
    uint8_t rest[32];     // the library's own; copied, never read by the plug-in
};
static_assert(sizeof(ServerInfo) == 454, "ServerInfo is a fixed block");
static_assert(offsetof(ServerInfo, name) == 0, "ServerInfo layout");
static_assert(offsetof(ServerInfo, map) == 256, "ServerInfo layout");
static_assert(offsetof(ServerInfo, gameType) == 384, "ServerInfo layout");
static_assert(offsetof(ServerInfo, players) == 416, "ServerInfo layout");
static_assert(offsetof(ServerInfo, maxPlayers) == 417, "ServerInfo layout");
static_assert(offsetof(ServerInfo, needPass) == 418, "ServerInfo layout");
static_assert(offsetof(ServerInfo, unused) == 419, "ServerInfo layout");
static_assert(offsetof(ServerInfo, connectPort) == 420, "ServerInfo layout");
static_assert(offsetof(ServerInfo, rest) == 422, "ServerInfo layout");

struct PlayerEntry {
    int32_t score;
    uint32_t time; // turned into text only by the game's FormatPlayerTime
    char name[32]; // UTF-8, NUL-terminated
};
static_assert(sizeof(PlayerEntry) == 40, "PlayerEntry crosses the library boundary");

// The players of one server; address.gameId 0 = the reply carried no player list.
struct PlayerList {
    ServerAddress address{};
    Utils::ArrayT<PlayerEntry> entries;
};

using ByteOutStream = Utils::OutStreamT<unsigned char>;
using ByteInStream = Utils::InStreamT<unsigned char>;

// Buffer sizes the plug-in passes to the library.
constexpr uint32_t kPlayerTimeChars = 255;
constexpr uint32_t kRconBufferBytes = 4096;

enum RconKind : uint32_t { kRconNone = 0, kRconTcp = 1, kRconUdp = 2 };

// One game's protocol: requests, launch recipe and remote-console texts. Valid for the process.
class GameProtocol {
public:
    virtual uint32_t GameId() const = 0;              // not used by the plug-in
    virtual uint32_t GetPlayerColumnText() const = 0; // language text id
    virtual void FormatPlayerTime(char16_t* buffer /* kPlayerTimeChars */, uint32_t time) const = 0;
    // Streams are the library's, one per calling thread, valid until that thread's next call.
    virtual const ByteOutStream* BuildQuery() = 0;
    virtual const ByteOutStream* BuildDetailRequest(const ServerAddress& address) = 0;
    // Registry location of the installation; the texts live as long as the process.
    virtual bool GetInstallLocation(uint32_t& rootKey, const char16_t*& subKey,
                                    const char16_t*& valueName,
                                    const char16_t*& fileName) const = 0;
    virtual const char16_t* GetName() const = 0; // not used by the plug-in
    virtual const char16_t* GetFixedArguments() const = 0;
    virtual uint16_t GetDefaultPort() const = 0; // not used by the plug-in
    // Writes at most capacity units, always NUL-terminated.
    virtual void GetConnectArguments(char16_t* buffer, uint32_t capacity,
                                     const ServerAddress& address) const = 0;
    virtual RconKind GetRconKind() const = 0;
    // buffer holds kRconBufferBytes. False: the game's console needs no challenge.
    virtual bool BuildRconChallenge(char* buffer) const = 0;
    // buffer holds kRconBufferBytes, zeroed by the caller; receives the command prefix.
    virtual void BuildRconPrefix(char* buffer, const char* password, uint32_t challenge) const = 0;

protected:
    ~GameProtocol() = default;
};

class ProtocolManager {
public:
    virtual uint32_t InterfaceVersion() const = 0; // not used by the plug-in
    virtual GameProtocol* GetProtocol(uint32_t gameId) = 0;
    // Parses one datagram. Fills what the reply holds (info, players, further servers, the
    // follow-up flag) and returns the game ids (low 16 bits) under which the info is stored:
    // the library's own list, one per calling thread, valid until that thread's next call.
    virtual const Utils::ArrayT<uint32_t>* ParseReply(ByteInStream& datagram,
                                                      const ServerAddress& address,
                                                      Utils::ArrayT<ServerAddress>* further,
                                                      ServerInfo* info, PlayerList* players,
                                                      bool* followUp) = 0;

protected:
    ~ProtocolManager() = default;
};

// Export ordinal 1 of PorticoMan.dll.
using ProtocolManagerEntry = ProtocolManager* (*)();
constexpr uint32_t kProtocolInterfaceVersion = 1;

} // namespace Portico
