#include "MasterResponder.h"

#include "MasterEncoder.h"
#include "ServerResponder.h"

#include <algorithm>

namespace Portico {

namespace {

bool Before(const SimAddress& a, const SimAddress& b) {
    return a.ip != b.ip ? a.ip < b.ip : a.port < b.port;
}

constexpr uint32_t kMadeUpBase = 0x7F800000; // 127.128.0.0
constexpr uint32_t kMadeUpPerHost = 1000;
constexpr uint16_t kMadeUpFirstPort = 20000;

bool IsA2s(SimProtocol protocol) {
    return protocol != SimProtocol::Quake3;
}

bool ServesValve(SimMasterKind kind) {
    return kind != SimMasterKind::Quake;
}

bool ServesQuake(SimMasterKind kind) {
    return kind != SimMasterKind::Valve;
}

// The filter's \key\value pairs in order; a trailing key without value gets an empty one.
std::vector<std::pair<std::string, std::string>> FilterPairs(const std::string& filter) {
    std::vector<std::string> parts;
    if (filter.empty())
        return {};
    size_t at = filter[0] == '\\' ? 1 : 0;
    for (;;) {
        const size_t next = filter.find('\\', at);
        parts.push_back(
            filter.substr(at, next == std::string::npos ? std::string::npos : next - at));
        if (next == std::string::npos)
            break;
        at = next + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t i = 0; i < parts.size(); i += 2)
        pairs.emplace_back(parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string());
    return pairs;
}

bool KeyMatches(const std::string& key, const std::string& value, const MasterListing& listing) {
    if (key == "gamedir")
        return value == listing.folder;
    if (key == "appid")
        return value == std::to_string(listing.appId);
    if (key == "empty")
        return value != "1" || listing.players > 0;
    if (key == "full")
        return value != "1" || listing.players < listing.maxPlayers;
    if (key == "password")
        return value != "0" || !listing.password;
    return true;
}

} // namespace

MasterListing ListingOf(const SimServer& server, const SimAddress& bound) {
    MasterListing listing;
    listing.address = bound;
    listing.protocol = server.protocol;
    listing.folder = server.folder;
    listing.appId = server.appId;
    listing.netProtocol = NetProtocolOf(server);
    listing.players = uint8_t(std::min<size_t>(server.players.size(), 255));
    listing.maxPlayers = server.maxPlayers;
    listing.password = server.password;
    return listing;
}

bool ValveFilterMatches(const std::string& filter, const MasterListing& listing) {
    for (const auto& pair : FilterPairs(filter))
        if (!KeyMatches(pair.first, pair.second, listing))
            return false;
    return true;
}

SimAddress MadeUpServer(uint32_t index) {
    return SimAddress{kMadeUpBase + index / kMadeUpPerHost,
                      uint16_t(kMadeUpFirstPort + index % kMadeUpPerHost)};
}

uint32_t FirstMadeUpAfter(const SimAddress& address) {
    uint32_t low = 0, high = kHugeMasterEntries;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        if (Before(address, MadeUpServer(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

MasterResponder::MasterResponder(const SimMaster& master, std::vector<MasterListing> all,
                                 uint64_t secret)
    : master(master), listings(std::move(all)), secret(secret) {
    std::stable_sort(listings.begin(), listings.end(),
                     [](const MasterListing& a, const MasterListing& b) {
                         return Before(a.address, b.address);
                     });
}

std::vector<SimBytes> MasterResponder::Respond(const SimRequest& request, uint32_t, uint16_t) {
    const bool asked =
        request.kind == SimRequestKind::ValveMaster || request.kind == SimRequestKind::QuakeMaster;
    if (asked && master.hostile == SimHostile::Silent)
        return {};
    if (asked && master.hostile == SimHostile::Garbage)
        return {NoiseDatagram(secret ^ ++noiseCount)};
    if (request.kind == SimRequestKind::ValveMaster && ServesValve(master.kind))
        return AnswerValve(request);
    if (request.kind == SimRequestKind::QuakeMaster && ServesQuake(master.kind))
        return AnswerQuake(request);
    return {};
}

// One page per request: the servers after the seed, in address order. A huge master lists its
// made-up servers too, whatever the filter; one entry beyond the page tells whether it ends
// the list.
std::vector<SimBytes> MasterResponder::AnswerValve(const SimRequest& request) const {
    std::vector<SimAddress> list;
    const bool fromStart = request.seed.ip == 0 && request.seed.port == 0;
    for (const MasterListing& listing : listings)
        if (IsA2s(listing.protocol) && (fromStart || Before(request.seed, listing.address)) &&
            ValveFilterMatches(request.filter, listing))
            list.push_back(listing.address);
    const size_t page = master.page != 0 ? master.page : kValvePageEntries;
    if (master.hostile == SimHostile::Huge) {
        const uint32_t first = FirstMadeUpAfter(request.seed);
        for (uint32_t i = first; i < kHugeMasterEntries && i - first <= page; ++i)
            list.push_back(MadeUpServer(i));
        std::sort(list.begin(), list.end(), Before);
        list.resize(std::min(list.size(), page + 1));
    }
    return {EncodeValveMasterPage(list, 0, page)};
}

// Without "empty" the list leaves out empty servers, without "full" full ones, as the masters do.
std::vector<SimBytes> MasterResponder::AnswerQuake(const SimRequest& request) const {
    std::vector<SimAddress> list;
    for (const MasterListing& listing : listings) {
        if (listing.protocol != SimProtocol::Quake3 || listing.netProtocol != request.protocol)
            continue;
        if (listing.players == 0 && !request.empty)
            continue;
        if (listing.players >= listing.maxPlayers && listing.maxPlayers > 0 && !request.full)
            continue;
        list.push_back(listing.address);
    }
    if (master.hostile == SimHostile::Huge)
        for (uint32_t i = 0; i < kHugeMasterEntries; ++i)
            list.push_back(MadeUpServer(i));
    const size_t page = master.page != 0 ? master.page : kQuakePageEntries;
    return EncodeQuakeMasterReplies(list, page);
}

} // namespace Portico
