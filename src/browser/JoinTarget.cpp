#include "browser/JoinTarget.h"

namespace Portico {

ServerAddress JoinTarget(const ServerRecord& record, uint32_t currentGame) {
    ServerAddress address = record.Address();
    if (currentGame == kConnectPortGame && record.info.connectPort != 0)
        address.port = record.info.connectPort;
    return address;
}

} // namespace Portico
