#include "rcon/RconUdp.h"

#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "rcon/RconNotice.h"
#include "rcon/RconUdpReply.h"

namespace Portico {

// Anyone can send to the console's port: a stranger's "challenge rcon" or output must not
// reach the window as if the server had said it.
void RconUdp::OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) {
    MessageWindow* window = owner;
    if (!window || server == 0 || Key(ip, port) != server)
        return;
    const RconUdpReply reply = ReadRconUdpReply(stream);
    if (reply.kind == RconUdpReply::Kind::Challenge)
        window->Send(kMsgRconNotify, RconNotice::kChallenge, intptr_t(reply.challenge));
    else if (reply.kind == RconUdpReply::Kind::Output)
        window->Send(kMsgRconNotify, RconNotice::kOutput,
                     reinterpret_cast<intptr_t>(reply.text.c_str()));
}

} // namespace Portico
