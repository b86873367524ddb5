// Feeds a Source RCON stream to the console's reader in pieces whose sizes the input picks,
// reading packets after every piece as the TCP client does. The buffer must stay within its
// bound, every packet within the size limit, and a broken stream must stay broken.
#include "FuzzRequire.h"
#include "rcon/SourceRconReader.h"

#include <cstddef>
#include <cstdint>

using namespace Portico;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    SourceRconReader reader;
    // The first byte sets the piece size (1 to 256 bytes, or whole receives of 4096).
    const size_t piece = data[0] == 0 ? SourceRconReader::kChunkBytes : data[0];
    bool broken = false;
    for (size_t at = 1; at < size; at += piece) {
        const size_t n = size - at < piece ? size - at : piece;
        reader.Append(data + at, uint32_t(n));
        Require(reader.Buffered() <= SourceRconReader::kBufferLimit);
        SourceRconPacket packet;
        for (;;) {
            const SourceRconReader::Result result = reader.Next(packet);
            if (result == SourceRconReader::Result::NeedMore)
                break;
            if (result == SourceRconReader::Result::TooLarge) {
                broken = true;
                break;
            }
            Require(!broken);
            Require(packet.body.size() <= SourceRcon::kSizeLimit);
            Require(packet.body.find('\0') == std::string::npos);
        }
    }
    return 0;
}
