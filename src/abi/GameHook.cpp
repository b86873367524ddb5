#include "abi/GameHook.h"

#include <cstring>

namespace Portico {

HookBlockContents ReadHookBlock(const uint8_t* block) {
    HookBlockContents contents;
    for (uint32_t i = 0; i < 4; ++i)
        contents.window |= uint32_t(block[i]) << (8 * i);
    const char* name = reinterpret_cast<const char*>(block + kHookNameOffset);
    contents.userName.assign(name, strnlen(name, kHookNameBytes));
    return contents;
}

HookReport HookServerReport(uint32_t ip, uint16_t port) {
    // The receiver reads the values' bytes in memory order, most significant first.
    const uint8_t ipBytes[4] = {uint8_t(ip >> 24), uint8_t(ip >> 16), uint8_t(ip >> 8),
                                uint8_t(ip)};
    const uint8_t portBytes[2] = {uint8_t(port >> 8), uint8_t(port)};
    uint32_t ipValue;
    uint16_t portValue;
    std::memcpy(&ipValue, ipBytes, 4);
    std::memcpy(&portValue, portBytes, 2);
    HookReport report;
    report.wParam = portValue;
    report.lParam = intptr_t(ipValue);
    return report;
}

} // namespace Portico
