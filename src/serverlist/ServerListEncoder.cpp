#include "serverlist/ServerListEncoder.h"

#include "serverlist/ServerListFile.h"

#include <lzma.h>

namespace Portico {

namespace {

constexpr uint32_t kPreset = 6;
constexpr uint32_t kMinDictionary = 4096;

void AppendLe32(std::vector<unsigned char>& out, uint32_t value) {
    for (int b = 0; b < 4; ++b)
        out.push_back(static_cast<unsigned char>(value >> (8 * b)));
}

// The smallest power of two that holds the whole table: a bigger dictionary buys nothing and
// costs the reader memory.
uint32_t DictionaryFor(size_t size, uint32_t preset) {
    uint32_t dictionary = kMinDictionary;
    while (dictionary < size && dictionary < preset)
        dictionary *= 2;
    return dictionary;
}

bool Compress(const unsigned char* table, size_t size, std::vector<unsigned char>& out) {
    lzma_options_lzma options;
    if (lzma_lzma_preset(&options, kPreset))
        return false;
    options.dict_size = DictionaryFor(size, options.dict_size);
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};

    unsigned char header[kLzmaHeaderBytes];
    if (lzma_properties_encode(&filters[0], header) != LZMA_OK)
        return false;
    out.insert(out.end(), header, header + kLzmaHeaderBytes);

    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_raw_encoder(&stream, filters) != LZMA_OK)
        return false;
    stream.next_in = table;
    stream.avail_in = size;
    lzma_ret result = LZMA_OK;
    while (result == LZMA_OK) {
        const size_t done = out.size();
        out.resize(done + 64 * 1024);
        stream.next_out = out.data() + done;
        stream.avail_out = out.size() - done;
        result = lzma_code(&stream, LZMA_FINISH);
        out.resize(out.size() - stream.avail_out);
    }
    lzma_end(&stream);
    return result == LZMA_STREAM_END;
}

} // namespace

std::vector<unsigned char> ServerTable(const std::vector<ServerAddress>& servers) {
    std::vector<unsigned char> table;
    table.reserve(servers.size() * kServerListEntryBytes);
    for (const ServerAddress& server : servers) {
        AppendLe32(table, server.ip);
        table.push_back(static_cast<unsigned char>(server.port));
        table.push_back(static_cast<unsigned char>(server.port >> 8));
    }
    return table;
}

bool EncodeServerList(const unsigned char* table, size_t size, std::vector<unsigned char>& body) {
    body.clear();
    if (size > UINT32_MAX)
        return false;
    AppendLe32(body, static_cast<uint32_t>(size));
    if (!Compress(table, size, body)) {
        body.clear();
        return false;
    }
    ScrambleServerList(body.data() + kServerListSizeBytes, body.size() - kServerListSizeBytes);
    return true;
}

} // namespace Portico
