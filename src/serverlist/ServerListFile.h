// The server-list file: a little-endian 32-bit size N of the decoded entry table, then LZMA
// data (a 5-byte header and no length field) scrambled with the deployment key. The table is
// a run of 6-byte entries: the address as a little-endian number whose most significant byte
// is the first octet, then the little-endian port.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Portico {

constexpr uint32_t kServerListEntryBytes = 6;
constexpr uint32_t kServerListSizeBytes = 4;
constexpr uint32_t kLzmaHeaderBytes = 5;
// Largest table accepted: 4,194,304 entries (a list of a million servers takes 6 MB).
constexpr uint32_t kMaxServerListTable = kServerListEntryBytes * 4 * 1024 * 1024;
// Largest file accepted: the table's bound plus room for data that does not compress.
constexpr uint32_t kMaxServerListFile = 32 * 1024 * 1024;
// No LZMA data yields more than about 7,600 bytes per compressed byte (a longest repeat
// coded at the probability floor), so a declared size beyond this ratio is a lie.
constexpr uint32_t kMaxLzmaExpansion = 8192;

// Why a server list could not be used.
enum class ServerListProblem {
    kNone,
    kMissing,       // no such file, or it cannot be read
    kNotFetched,    // the HTTP request or the download failed
    kNotServerList, // too short, a declared size no list can have, or no LZMA header
    kTooLarge,      // beyond the bounds below
    kDamaged,       // the LZMA data does not decode to the declared size
};

// Exclusive-or of each whole little-endian word with the key, from the first byte given;
// the last size mod 4 bytes stay. Its own inverse.
void ScrambleServerList(unsigned char* data, size_t size);

// Decodes a whole file body into addresses (game id 0), in table order; a last entry shorter
// than 6 bytes is read with zeros filling it. False, with servers emptied, for a body shorter
// than the size field, a size beyond the bounds above, or data that does not decode to
// exactly N bytes.
bool DecodeServerList(const unsigned char* body, size_t size, std::vector<ServerAddress>& servers);
// The same, saying why a body does not decode.
ServerListProblem DecodeServerListBody(const unsigned char* body, size_t size,
                                       std::vector<ServerAddress>& servers);

// The decoded table's entries, as DecodeServerList reads them.
void ReadServerTable(const unsigned char* table, size_t size, std::vector<ServerAddress>& servers);

} // namespace Portico
