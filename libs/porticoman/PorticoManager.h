// The library's ProtocolManager: one protocol object per row of the game table, and the
// reply parser with its shared challenge and split-answer state. Safe for calls from several
// threads: the lists it hands back are per thread, the shared state is locked.
#pragma once

#include "ChallengeCache.h"
#include "GameProtocolBase.h"
#include "ReplyParser.h"
#include "SplitReassembler.h"
#include "abi/ProtocolInterface.h"

#include <memory>
#include <vector>

namespace Portico {

class PorticoManager final : public ProtocolManager {
public:
    PorticoManager();
    ~PorticoManager() = default;

    // The process-wide manager that the library's entry hands out; never destroyed, as the
    // plug-in keeps using it until the process ends.
    static PorticoManager& Instance();

    uint32_t InterfaceVersion() const override { return kProtocolInterfaceVersion; }
    GameProtocol* GetProtocol(uint32_t gameId) override;
    const Utils::ArrayT<uint32_t>* ParseReply(ByteInStream& datagram, const ServerAddress& address,
                                              Utils::ArrayT<ServerAddress>* further,
                                              ServerInfo* info, PlayerList* players,
                                              bool* followUp) override;

private:
    ChallengeCache challenges;
    SplitReassembler splits;
    ReplyParser parser;
    std::vector<std::unique_ptr<GameProtocolBase>> protocols; // one per game-table row
};

} // namespace Portico
