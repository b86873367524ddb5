// Tells what a reply is by its own bytes and fills what ParseReply hands back: server
// information, players, further servers, the follow-up flag and the games the information is
// filed under. Split answers are joined first. Safe for calls from several threads.
#pragma once

#include "ChallengeCache.h"
#include "GameTable.h"
#include "PacketReader.h"
#include "SplitReassembler.h"
#include "abi/ProtocolInterface.h"

#include <string_view>

namespace Portico {

// Where one reply's results go; any pointer may be null (that result is then not wanted).
struct ReplyOutputs {
    ServerInfo* info;
    PlayerList* players;
    Utils::ArrayT<ServerAddress>* further;
    bool* followUp;
    Utils::ArrayT<uint32_t>* gameIds;
};

class ReplyParser {
public:
    ReplyParser(ChallengeCache& challenges, SplitReassembler& splits)
        : challenges(challenges), splits(splits) {}

    void Parse(const uint8_t* data, uint32_t size, const ServerAddress& address, uint64_t nowMs,
               const ReplyOutputs& out);

private:
    struct Context {
        const ServerAddress& address;
        uint64_t server;
        uint64_t nowMs;
        const ReplyOutputs& out;
    };

    void ParseWhole(const uint8_t* data, uint32_t size, const Context& context);
    // folder: the game folder the answer reports (empty when it has none).
    void OnInfo(const ServerInfo& info, EngineSet engines, std::string_view folder,
                const Context& context);
    void OnA2sPlayers(PacketReader& reader, const Context& context);
    void OnChallenge(PacketReader& reader, const Context& context);
    void OnQuakeStatus(PacketReader& reader, const Context& context);
    void SetPlayers(const Utils::ArrayT<PlayerEntry>& entries, uint16_t gameId,
                    const Context& context);

    ChallengeCache& challenges;
    SplitReassembler& splits;
};

} // namespace Portico
