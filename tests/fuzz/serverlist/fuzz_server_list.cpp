// A server-list file body, as it comes from the server-list host: size field, scrambled LZMA
// data, entry table. The first input byte chooses whether the rest is such a body, or one whose
// compressed data is still in the clear (scrambled here), so that the fuzzer reaches deep into
// the decoder without having to learn the key.
#include "serverlist/ServerListFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize) {
    if (inputSize == 0)
        return 0;
    std::vector<uint8_t> body(input + 1, input + inputSize);
    if ((input[0] & 1) && body.size() > 4)
        Portico::ScrambleServerList(body.data() + 4, body.size() - 4);
    const uint8_t* data = body.data();
    const size_t size = body.size();
    std::vector<Portico::ServerAddress> servers;
    const bool decoded = Portico::DecodeServerList(data, size, servers);
    // A decoded list holds exactly the entries of its declared size.
    if (decoded && size >= 4) {
        const uint32_t n = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                           uint32_t(data[3]) << 24;
        if (servers.size() != (n + 5) / 6)
            std::abort();
    }
    if (!decoded && !servers.empty())
        std::abort();
    return 0;
}
