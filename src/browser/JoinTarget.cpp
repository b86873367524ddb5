#include "browser/JoinTarget.h"

namespace Portico {

ServerAddress JoinTarget(const ServerRecord& record, uint32_t currentGame) {
    ServerAddress address = record.Address();
    if (currentGame == kConnectPortGame && record.info.connectPort != 0)
        address.port = record.info.connectPort;
    return address;
}

bool JoinServer(BrowserHost& host, const ServerAddress& target, bool needPass) {
    std::u16string password;
    if (needPass && !host.AskPassword(password))
        return false;
    host.Launch(target, needPass ? &password : nullptr);
    return true;
}

} // namespace Portico
