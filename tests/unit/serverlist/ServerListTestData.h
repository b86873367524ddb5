// Server lists for the tests: addresses, packed files and their pieces.
#pragma once

#include "abi/ProtocolInterface.h"
#include "serverlist/HttpTime.h"
#include "serverlist/ServerListEncoder.h"

#include <string>
#include <vector>

namespace Portico::Test {

inline ServerAddress Server(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port) {
    return ServerAddress{uint32_t(a) << 24 | uint32_t(b) << 16 | uint32_t(c) << 8 | d, port, 0};
}

// count distinct servers, 10.x.y.z on ports from 27000.
inline std::vector<ServerAddress> ManyServers(size_t count, uint8_t first = 10) {
    std::vector<ServerAddress> servers;
    for (size_t i = 0; i < count; ++i)
        servers.push_back(Server(first, uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i),
                                 uint16_t(27000 + i % 1000)));
    return servers;
}

inline std::vector<unsigned char> PackTable(const std::vector<unsigned char>& table) {
    std::vector<unsigned char> body;
    EncodeServerList(table.data(), table.size(), body);
    return body;
}

inline std::vector<unsigned char> Pack(const std::vector<ServerAddress>& servers) {
    return PackTable(ServerTable(servers));
}

// An HTTP date in seconds, by the client's rule.
inline int64_t HttpSeconds(const char* text) {
    HttpTime time;
    ParseHttpDate(text, std::char_traits<char>::length(text), time);
    return HttpTimeToSeconds(time);
}

inline std::string AsText(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace Portico::Test
