#include "rcon/RconTcp.h"

#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "rcon/RconNotice.h"

namespace Portico {

bool RconTcp::SendPacket(int32_t id, int32_t type, const std::string& body) {
    return Send(BuildSourceRconPacket(id, type, body));
}

int32_t RconTcp::SendEndMarker() {
    const int32_t marker = nextMarker++;
    return SendPacket(marker, SourceRcon::kResponseValue, std::string()) ? marker : 0;
}

void RconTcp::OnReceive(Utils::InStreamT<unsigned char>& stream) {
    reader.Append(stream.Data() + stream.Position(), stream.Remaining());
    SourceRconPacket packet;
    for (;;) {
        switch (reader.Next(packet)) {
        case SourceRconReader::Result::NeedMore:
            return;
        case SourceRconReader::Result::TooLarge:
            // Closed before the window hears of it, so that no more bytes pile up meanwhile.
            Close();
            Notify(RconNotice::kEnded, RconEnd::kProtocolError);
            return;
        case SourceRconReader::Result::Packet:
            if (!Handle(packet))
                return;
        }
    }
}

// A server answers a login with id -1 when the password is wrong; the console sends every
// packet with id 0, so any id but 0 and our own markers is taken as that refusal.
bool RconTcp::Handle(const SourceRconPacket& packet) {
    if (IsMarker(packet.id)) {
        if (packet.type == SourceRcon::kResponseValue)
            Notify(RconNotice::kEndOfOutput, packet.id);
        return true;
    }
    if (packet.id != 0) {
        Notify(RconNotice::kRejected, 0);
        return false;
    }
    if (packet.type == SourceRcon::kResponseValue)
        Notify(RconNotice::kOutput, reinterpret_cast<intptr_t>(packet.body.c_str()));
    else
        Notify(RconNotice::kOutput, 0);
    return true;
}

// An orderly close by the server is told too: the console has nobody left to talk to.
void RconTcp::OnClose(int32_t error) {
    Notify(RconNotice::kEnded, error);
}

void RconTcp::Notify(intptr_t notice, intptr_t value) {
    if (MessageWindow* window = owner)
        window->Send(kMsgRconNotify, uintptr_t(notice), value);
}

} // namespace Portico
