// Cuts the byte stream of a Source RCON server into packets, across receives. Bounded: it
// never holds more than one packet of the size limit and one receive beyond it.
#pragma once

#include "rcon/SourceRconPacket.h"
#include "utils/InOutStreamT.h"

#include <cstdint>

namespace Portico {

class SourceRconReader {
public:
    enum class Result { Packet, NeedMore, TooLarge };

    // Most bytes one Append may bring (one receive of the socket).
    static constexpr uint32_t kChunkBytes = 4096;
    // Most bytes held at once.
    static constexpr uint32_t kBufferLimit = 4 + SourceRcon::kSizeLimit + kChunkBytes;

    // Bytes that would take the buffer past its limit are refused, and the stream is broken.
    void Append(const unsigned char* data, uint32_t size);
    // The next whole packet. A size field beyond the limit breaks the stream for good: it
    // cannot be resynchronised. A packet shorter than its fields reads zeros and empty text
    // for what is missing.
    Result Next(SourceRconPacket& packet);
    // Forgets everything, a broken stream included.
    void Clear();
    uint32_t Buffered() const { return buffer.Remaining(); }

private:
    Utils::InOutStreamT<unsigned char> buffer;
    bool broken = false;
};

} // namespace Portico
