#include "serverlist/ServerListFile.h"

#include "serverlist/Deployment.h"

#include <lzma.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace Portico {

namespace {

// Output grows in pieces that double from the first, so corrupt data that fails early never
// pays for the whole declared size, and a long list is not copied over and over.
constexpr size_t kFirstPiece = 4 * 1024;
constexpr size_t kLargestPiece = 1024 * 1024;
constexpr uint32_t kMinDictionary = 4096;

// Our own allocator for the header's options, so that the library (a DLL with its own
// run-time library on Windows) never frees what we allocate or the other way round.
void* Allocate(void*, size_t count, size_t size) {
    return std::calloc(count, size);
}
void Release(void*, void* block) {
    std::free(block);
}
const lzma_allocator kAllocator = {&Allocate, &Release, nullptr};

uint32_t ReadLe32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

class RawLzmaDecoder {
public:
    ~RawLzmaDecoder() {
        lzma_end(&stream);
        std::free(filters[0].options);
    }

    // Reads the 5-byte header. The dictionary never needs to exceed the output, and a
    // declared one is not trusted to size an allocation.
    bool Start(const unsigned char* header, uint32_t outputSize) {
        filters[0].id = LZMA_FILTER_LZMA1;
        filters[1].id = LZMA_VLI_UNKNOWN;
        if (lzma_properties_decode(&filters[0], &kAllocator, header, kLzmaHeaderBytes) != LZMA_OK)
            return false;
        auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
        if (options->dict_size > outputSize)
            options->dict_size = outputSize < kMinDictionary ? kMinDictionary : outputSize;
        return lzma_raw_decoder(&stream, filters) == LZMA_OK;
    }

    // Produces exactly outputSize bytes or fails; data after them is not looked at.
    bool Decode(const unsigned char* data, size_t size, uint32_t outputSize,
                std::vector<unsigned char>& out) {
        out.clear();
        stream.next_in = data;
        stream.avail_in = size;
        while (out.size() < outputSize) {
            const size_t done = out.size();
            const size_t step = std::min(std::max(done, kFirstPiece), kLargestPiece);
            const size_t piece = std::min(size_t(outputSize) - done, step);
            out.resize(done + piece);
            stream.next_out = out.data() + done;
            stream.avail_out = piece;
            const lzma_ret result = lzma_code(&stream, LZMA_FINISH);
            out.resize(done + (piece - stream.avail_out));
            if (out.size() == outputSize)
                break;
            // An end marker before the size, corrupt data, or input that ran out.
            if (result != LZMA_OK || out.size() == done)
                return false;
        }
        return true;
    }

private:
    lzma_stream stream = LZMA_STREAM_INIT;
    lzma_filter filters[2] = {};
};

} // namespace

void ScrambleServerList(unsigned char* data, size_t size) {
    for (size_t i = 0; i + 4 <= size; i += 4) {
        const uint32_t key = kServerListKey[(i / 4) % 8];
        for (int b = 0; b < 4; ++b)
            data[i + b] ^= static_cast<unsigned char>(key >> (8 * b));
    }
}

void ReadServerTable(const unsigned char* table, size_t size, std::vector<ServerAddress>& servers) {
    servers.clear();
    servers.reserve((size + kServerListEntryBytes - 1) / kServerListEntryBytes);
    for (size_t at = 0; at < size; at += kServerListEntryBytes) {
        unsigned char entry[kServerListEntryBytes] = {};
        const size_t n = size - at < kServerListEntryBytes ? size - at : kServerListEntryBytes;
        std::memcpy(entry, table + at, n);
        ServerAddress address{};
        address.ip = ReadLe32(entry);
        address.port = static_cast<uint16_t>(entry[4] | entry[5] << 8);
        servers.push_back(address);
    }
}

bool DecodeServerList(const unsigned char* body, size_t size, std::vector<ServerAddress>& servers) {
    return DecodeServerListBody(body, size, servers) == ServerListProblem::kNone;
}

ServerListProblem DecodeServerListBody(const unsigned char* body, size_t size,
                                       std::vector<ServerAddress>& servers) {
    servers.clear();
    if (size > kMaxServerListFile)
        return ServerListProblem::kTooLarge;
    if (size < kServerListSizeBytes + kLzmaHeaderBytes)
        return ServerListProblem::kNotServerList;
    const uint32_t tableSize = ReadLe32(body);
    const size_t packedSize = size - kServerListSizeBytes;
    if (uint64_t(tableSize) > uint64_t(packedSize) * kMaxLzmaExpansion)
        return ServerListProblem::kNotServerList;
    if (tableSize > kMaxServerListTable)
        return ServerListProblem::kTooLarge;
    std::vector<unsigned char> packed(body + kServerListSizeBytes, body + size);
    ScrambleServerList(packed.data(), packed.size());

    RawLzmaDecoder decoder;
    std::vector<unsigned char> table;
    if (!decoder.Start(packed.data(), tableSize))
        return ServerListProblem::kNotServerList;
    if (!decoder.Decode(packed.data() + kLzmaHeaderBytes, packed.size() - kLzmaHeaderBytes,
                        tableSize, table))
        return ServerListProblem::kDamaged;
    ReadServerTable(table.data(), table.size(), servers);
    return ServerListProblem::kNone;
}

} // namespace Portico
