// The publisher's side of the server-list file: the entry table and the packed, scrambled
// body. Not part of the plug-in; the packing tool and the tests use it.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstddef>
#include <vector>

namespace Portico {

// The 6-byte entries of the servers, in order (game ids are not part of the file).
std::vector<unsigned char> ServerTable(const std::vector<ServerAddress>& servers);

// Compresses any table (also one whose size is not a multiple of 6) into a file body.
// False only when the compressor fails.
bool EncodeServerList(const unsigned char* table, size_t size, std::vector<unsigned char>& body);

} // namespace Portico
