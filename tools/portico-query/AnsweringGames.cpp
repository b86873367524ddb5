#include "AnsweringGames.h"

#include "MasterProtocol.h"

namespace Portico {

uint16_t AnsweringGames::GameOf(uint32_t ip, uint16_t port) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = answeredAs.find({ip, port});
    return found == answeredAs.end() ? 0 : found->second;
}

bool AnsweringGames::ListEnded(uint32_t ip, uint16_t port) {
    std::lock_guard<std::mutex> guard(lock);
    return endedLists.count({ip, port}) != 0;
}

uint32_t AnsweringGames::InterfaceVersion() const {
    return library ? library->InterfaceVersion() : kProtocolInterfaceVersion;
}

GameProtocol* AnsweringGames::GetProtocol(uint32_t gameId) {
    return library ? library->GetProtocol(gameId) : nullptr;
}

const Utils::ArrayT<uint32_t>* AnsweringGames::ParseReply(ByteInStream& datagram,
                                                          const ServerAddress& address,
                                                          Utils::ArrayT<ServerAddress>* further,
                                                          ServerInfo* info, PlayerList* players,
                                                          bool* followUp) {
    if (!library)
        return nullptr;
    if (EndsValveList(datagram.Data(), datagram.Size())) {
        std::lock_guard<std::mutex> guard(lock);
        endedLists.insert({address.ip, address.port});
    }
    const Utils::ArrayT<uint32_t>* games =
        library->ParseReply(datagram, address, further, info, players, followUp);
    if (!games || games->Size() == 0 || !info || info->maxPlayers == 0)
        return games;
    std::lock_guard<std::mutex> guard(lock);
    answeredAs[{address.ip, address.port}] = uint16_t((*games)[0] & 0xFFFF);
    for (uint32_t i = 0; i < games->Size(); ++i)
        if (((*games)[i] & 0xFFFF) == address.gameId)
            return games;
    Utils::ArrayT<uint32_t>& ids = lists[std::this_thread::get_id()];
    ids = *games;
    ids.Append(address.gameId);
    return &ids;
}

} // namespace Portico
