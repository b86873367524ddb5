// Feeds arbitrary datagrams to ParseReply. The first two bytes pick the sender's port, the
// selected game and whether its players were just asked, so challenge and split-answer state
// builds up across inputs as it does from many servers; follow-ups and player times are
// driven like the plug-in drives them.
#include "FuzzRequire.h"
#include "PorticoManager.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace Portico;

namespace {

const uint16_t kSelectable[] = {1003, 1028, 1005, 1010, 0};

template <typename Unit, size_t N> bool Terminated(const Unit (&text)[N]) {
    for (const Unit unit : text)
        if (unit == 0)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    ProtocolManager& manager = PorticoManager::Instance();
    const ServerAddress address{0x7F000001, uint16_t(27015 + (data[0] & 7)),
                                kSelectable[data[1] % 5]};
    GameProtocol* selected = manager.GetProtocol(address.gameId);
    if ((data[0] & 0x80) && selected)
        selected->BuildDetailRequest(address);
    ByteInStream datagram(data + 2, uint32_t(size - 2));
    Utils::ArrayT<ServerAddress> further;
    ServerInfo info{};
    PlayerList players;
    bool followUp = false;
    const Utils::ArrayT<uint32_t>* ids =
        manager.ParseReply(datagram, address, &further, &info, &players, &followUp);
    Require(ids != nullptr);
    Require(Terminated(info.name) && Terminated(info.map) && Terminated(info.gameType));
    for (uint32_t i = 0; i < ids->Size(); ++i)
        Require(manager.GetProtocol((*ids)[i]) != nullptr);
    for (uint32_t i = 0; i < further.Size(); ++i)
        Require(further[i].ip != 0 && further[i].port != 0);

    if (followUp && selected)
        Require(selected->BuildDetailRequest(address)->Size() > 0);
    if (players.address.gameId != 0) {
        GameProtocol* game = manager.GetProtocol(players.address.gameId);
        Require(game != nullptr);
        for (uint32_t i = 0; i < players.entries.Size(); ++i) {
            Require(Terminated(players.entries[i].name));
            char16_t time[kPlayerTimeChars] = {};
            game->FormatPlayerTime(time, players.entries[i].time);
        }
    }
    return 0;
}
