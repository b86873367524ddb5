#include "browser/PartnerServers.h"

namespace Portico {
namespace {

constexpr uint16_t kFirstPort = 27015;
constexpr uint32_t kFewPortsPartner = 3; // the fourth partner has two ports, the others five

} // namespace

std::vector<std::string> PartnerHostNames(const char* configured) {
    if (!configured)
        return {"partner1.portico.invalid", "partner2.portico.invalid", "partner3.portico.invalid",
                "partner4.portico.invalid", "partner5.portico.invalid"};
    std::vector<std::string> names;
    std::string list = configured;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(',', start);
        const size_t end = comma == std::string::npos ? list.size() : comma;
        if (end > start)
            names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

void SeedPartnerServers(ServerStore& store, const std::vector<std::string>& hosts,
                        uint32_t (*resolve)(const char* name)) {
    for (uint32_t partner = 0; partner < hosts.size(); ++partner) {
        const uint32_t ip = resolve(hosts[partner].c_str());
        const uint16_t ports = partner == kFewPortsPartner ? 2 : 5;
        for (uint16_t i = 0; i < ports; ++i)
            store.AddKnownServer(ServerAddress{ip, uint16_t(kFirstPort + i), kPartnerGameId});
    }
}

} // namespace Portico
