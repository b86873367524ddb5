#include "query/QueryReply.h"

#include "query/QueryContext.h"
#include "query/QueryScheduler.h"

namespace Portico {

namespace {

void SendFollowUp(QueryContext& context, ProtocolManager& manager, QueryScheduler& owner,
                  const ServerAddress& address) {
    GameProtocol* protocol = manager.GetProtocol(address.gameId);
    const ByteOutStream* request = protocol ? protocol->BuildDetailRequest(address) : nullptr;
    if (!request)
        return;
    owner.FollowUpSent(address.ip, address.port);
    // Through the receiving socket, so that the answer comes back to the scheduler that
    // holds the record (for the browser's own detail requests this is socket 0).
    context.Send(address.ip, address.port, *request, owner.SocketIndex());
}

} // namespace

void HandleQueryReply(QueryContext& context, QueryScheduler& owner, uint32_t ip, uint16_t port,
                      ByteInStream& datagram) {
    ProtocolManager* manager = context.Protocols();
    if (!manager)
        return;
    Utils::ArrayT<ServerAddress> further;
    ServerInfo info{};
    PlayerList players;
    bool followUp = false;
    const ServerAddress address{ip, port, context.SelectedGame()};
    const Utils::ArrayT<uint32_t>* games =
        manager->ParseReply(datagram, address, &further, &info, &players, &followUp);

    // Lists and challenges are answers to our own requests: from anyone else they would
    // make us query addresses of their choosing.
    const bool asked = owner.Asked(ip, port);
    if (asked) {
        // Queued first: a tool that ends once its lists are over then loses none of them.
        owner.AddListedServers(ip, further);
        context.ListArrived(ip, port, further);
    }
    if (info.maxPlayers != 0 && games) {
        // Copied first: the library's list is only valid until our next call into it.
        Utils::ArrayT<uint32_t> ids = *games;
        for (uint32_t i = 0; i < ids.Size(); ++i)
            owner.HandleResult(ServerAddress{ip, port, uint16_t(ids[i] & 0xFFFF)}, info);
    }
    if (players.address.gameId != 0)
        owner.DeliverPlayers(players);
    if (followUp && asked)
        SendFollowUp(context, *manager, owner, address);
}

} // namespace Portico
