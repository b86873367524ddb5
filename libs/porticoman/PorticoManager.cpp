#include "PorticoManager.h"

#include "A2sProtocol.h"
#include "MonotonicClock.h"
#include "QuakeProtocol.h"
#include "ThreadSlot.h"

namespace Portico {

PorticoManager::PorticoManager() : parser(challenges, splits) {
    for (uint32_t i = 0; i < GameTable::Count(); ++i) {
        const GameRecipe& recipe = GameTable::Row(i);
        if (recipe.engine == Engine::kQuake3)
            protocols.push_back(std::make_unique<QuakeProtocol>(recipe, challenges));
        else
            protocols.push_back(std::make_unique<A2sProtocol>(recipe, challenges));
    }
}

PorticoManager& PorticoManager::Instance() {
    static PorticoManager* const instance = new PorticoManager;
    return *instance;
}

GameProtocol* PorticoManager::GetProtocol(uint32_t gameId) {
    for (const auto& protocol : protocols)
        if (protocol->GameId() == gameId)
            return protocol.get();
    return nullptr;
}

const Utils::ArrayT<uint32_t>* PorticoManager::ParseReply(ByteInStream& datagram,
                                                          const ServerAddress& address,
                                                          Utils::ArrayT<ServerAddress>* further,
                                                          ServerInfo* info, PlayerList* players,
                                                          bool* followUp) {
    static PerThreadT<Utils::ArrayT<uint32_t>>* const lists =
        new PerThreadT<Utils::ArrayT<uint32_t>>;
    Utils::ArrayT<uint32_t>& gameIds = lists->Get();
    gameIds.Clear();
    const uint32_t size = datagram.Size(), position = datagram.Position();
    if (position < size)
        parser.Parse(datagram.Data() + position, size - position, address, MonotonicMs(),
                     ReplyOutputs{info, players, further, followUp, &gameIds});
    return &gameIds;
}

} // namespace Portico
