#include "panels/BuddyServers.h"

#include "browser/JoinTarget.h"

namespace Portico {

bool BuddyServers::NoteGame(const ProbeAnswer* answer) {
    if (!answer)
        return false;
    passwordFlags[answer->tag] = answer->needPass;
    return true;
}

void BuddyServers::NoteAddress(uint32_t key, const ServerAddress* address) {
    if (address)
        servers[key] = *address;
}

bool BuddyServers::FindServer(uint32_t key, ServerAddress& out) const {
    const auto found = servers.find(key);
    if (found == servers.end())
        return false;
    out = found->second;
    return true;
}

BuddyServers::JoinOutcome BuddyServers::Join(BuddySelector& selector, BrowserHost& host) {
    uint32_t key = 0;
    if (!selector.SelectedBuddy(key))
        return JoinOutcome::kSelectionUnknown;
    ServerAddress server;
    if (!FindServer(key, server))
        return JoinOutcome::kToHost;
    const auto flag = passwordFlags.find(key);
    const bool needPass = flag != passwordFlags.end() && flag->second != 0;
    return JoinServer(host, server, needPass) ? JoinOutcome::kLaunched : JoinOutcome::kCancelled;
}

} // namespace Portico
