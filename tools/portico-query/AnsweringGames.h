// Stands between the query engine and the protocol library: notes which game each server
// answered as (the first of the games the library files its answer under: the one its game
// folder names, or its engine's), and files every answer under the browsed game as well, so
// that a server listed for that game is kept whatever game it turns out to run. Also notes
// the end of a Valve master's list.
#pragma once

#include "abi/ProtocolInterface.h"

#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace Portico {

class AnsweringGames : public ProtocolManager {
public:
    AnsweringGames() = default;
    ~AnsweringGames() = default;

    // The library's manager, or null when it is missing.
    void Attach(ProtocolManager* manager) { library = manager; }
    // The game the server at ip and port answered as; 0 when it has not answered.
    uint16_t GameOf(uint32_t ip, uint16_t port);
    // True when a master page from ip and port ended its list (the library leaves the end
    // marker out of the servers it hands back).
    bool ListEnded(uint32_t ip, uint16_t port);

    uint32_t InterfaceVersion() const override;
    GameProtocol* GetProtocol(uint32_t gameId) override;
    const Utils::ArrayT<uint32_t>* ParseReply(ByteInStream& datagram, const ServerAddress& address,
                                              Utils::ArrayT<ServerAddress>* further,
                                              ServerInfo* info, PlayerList* players,
                                              bool* followUp) override;

private:
    ProtocolManager* library = nullptr;
    using Key = std::pair<uint32_t, uint16_t>;
    // Guards the maps (receive threads).
    std::mutex lock;
    std::map<Key, uint16_t> answeredAs;
    std::set<Key> endedLists; // masters whose page ended their list
    // One list per calling thread, valid until that thread's next call.
    std::map<std::thread::id, Utils::ArrayT<uint32_t>> lists;
};

} // namespace Portico
