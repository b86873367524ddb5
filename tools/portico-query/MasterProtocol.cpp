#include "MasterProtocol.h"

#include "GameFacts.h"

#include <cstring>

namespace Portico {

namespace {

constexpr unsigned char kValvePageHead[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x66, 0x0A};
constexpr uint32_t kValveEntryBytes = 6;

std::string AddressText(const ServerAddress& address) {
    return std::to_string(address.ip >> 24) + "." + std::to_string(address.ip >> 16 & 0xFF) + "." +
           std::to_string(address.ip >> 8 & 0xFF) + "." + std::to_string(address.ip & 0xFF) + ":" +
           std::to_string(address.port);
}

} // namespace

// A Quake III master leaves out empty and full servers unless asked for them; a filter given
// there is passed on as further keywords.
void BuildMasterRequest(uint16_t gameId, const ServerAddress& seed, const std::string& filter,
                        ByteOutStream& out) {
    if (GameFacts::QuakeMaster(gameId)) {
        const std::string text = "getservers " + std::to_string(GameFacts::ListProtocol(gameId)) +
                                 " full empty" + (filter.empty() ? "" : " " + filter);
        out << (unsigned int)0xFFFFFFFF;
        // Connectionless text: no terminator on the wire.
        out.Write(text.data(), uint32_t(text.size()));
        return;
    }
    // Any region.
    out << (unsigned char)0x31 << (unsigned char)0xFF << AddressText(seed).c_str()
        << filter.c_str();
}

bool EndsValveList(const unsigned char* datagram, uint32_t size) {
    const uint32_t head = sizeof kValvePageHead;
    if (size < head + kValveEntryBytes || (size - head) % kValveEntryBytes != 0 ||
        std::memcmp(datagram, kValvePageHead, head) != 0)
        return false;
    for (uint32_t i = size - kValveEntryBytes; i < size; ++i)
        if (datagram[i] != 0)
            return false;
    return true;
}

} // namespace Portico
