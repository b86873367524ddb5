// The request datagrams the library sends, each appended to a stream.
#pragma once

#include "abi/ProtocolInterface.h"

namespace Portico {

class RequestWriter {
public:
    // FF FF FF FF 54 "Source Engine Query" NUL, then the challenge when there is one.
    static void A2sInfo(ByteOutStream& out);
    static void A2sInfo(ByteOutStream& out, uint32_t challenge);
    // FF FF FF FF 55 and the challenge (FF FF FF FF asks for one).
    static void A2sPlayers(ByteOutStream& out, uint32_t challenge);
    // FF FF FF FF "getstatus"
    static void QuakeStatus(ByteOutStream& out);
};

} // namespace Portico
