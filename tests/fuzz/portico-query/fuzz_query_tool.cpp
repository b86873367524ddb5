// Feeds arbitrary bytes to what portico-query reads itself: a server list text (--list), and a
// master's answer as the end-of-list reader and the pager see it.
#include "FuzzRequire.h"
#include "MasterPager.h"
#include "MasterProtocol.h"
#include "ServerLines.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace Portico;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<ServerLine> lines;
    std::string error;
    if (ParseServerLines(std::string(reinterpret_cast<const char*>(data), size), 1003, lines,
                         error)) {
        for (const ServerLine& line : lines)
            Require(line.address.port != 0 && line.game != 0);
    } else {
        Require(error.compare(0, 5, "line ") == 0);
    }

    // The answer as servers of six bytes each, the way a master lists them.
    const bool ended = EndsValveList(data, uint32_t(size));
    std::vector<ServerAddress> servers;
    for (size_t at = 0; at + 6 <= size; at += 6)
        servers.push_back(ServerAddress{uint32_t(data[at]) << 24 | data[at + 1], data[at + 4], 1});
    PagingLimits limits;
    limits.maxServers = 100;
    MasterPager pager(1003, "", limits);
    ByteOutStream request;
    Require(pager.Due(0, request) && request.Size() > 0);
    pager.Arrived(servers.data(), uint32_t(servers.size()), ended, 1);
    Require(pager.Servers() == servers.size());
    Require(pager.Done() || (!ended && !servers.empty() && servers.size() < 100));
    return 0;
}
