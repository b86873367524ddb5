// The remote console's pool of UDP sockets, from port 20220 upward. The owner window and the
// server's address are handed to every socket it holds or opens.
#pragma once

#include "query/UDPPoolT.h"
#include "rcon/RconUdp.h"

#include <cstdint>

namespace Portico {

class RconUDPPool : public UDPPoolT<RconUdp> {
public:
    static constexpr uint16_t kFirstPort = 20220;

    RconUDPPool() { SetPort(kFirstPort); }

    bool Open(int32_t count) override;
    void SetOwner(MessageWindow* window);
    void SetServer(uint32_t ip, uint16_t port);

private:
    void Hand(RconUdp& socket) const;

    MessageWindow* owner = nullptr;
    uint32_t serverIp = 0;
    uint16_t serverPort = 0;
};

} // namespace Portico
