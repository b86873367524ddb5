#include "StressContext.h"

#include "PorticoManager.h"

namespace Trials {

bool StressContext::Open(Portico::QueryScheduler& browser, Portico::QueryScheduler& room) {
    pool.SetPort(0); // a random free port from 4096 up
    if (!pool.Open(2))
        return false;
    pool.GetSocket(0)->SetOwner(&browser);
    pool.GetSocket(1)->SetOwner(&room);
    return true;
}

Portico::ProtocolManager* StressContext::Protocols() {
    return &Portico::PorticoManager::Instance();
}

uint8_t StressContext::LookupRegion(uint32_t ip, uint8_t out[3]) {
    const uint8_t region = uint8_t(ip >> 8);
    if (ip >> 24 != 127 || region == 0 || region > 15)
        return 0;
    out[0] = 'C';
    out[1] = uint8_t('A' + region);
    return region;
}

bool StressContext::Send(uint32_t ip, uint16_t port, const Portico::ByteOutStream& datagram,
                         uint32_t socketIndex) {
    if (ip >> 24 != 127) {
        ++refused;
        return false;
    }
    ++sent;
    return pool.Send(ip, port, datagram, socketIndex);
}

void StressContext::KeepFavourite(Portico::ServerRecord& record) {
    ++kept;
    favourites.AddFavourite(record);
}

} // namespace Trials
