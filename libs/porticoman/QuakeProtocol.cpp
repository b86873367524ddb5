#include "QuakeProtocol.h"

#include "RequestWriter.h"
#include "TextCopy.h"

#include <cstdio>

namespace Portico {

void QuakeProtocol::FormatPlayerTime(char16_t* buffer, uint32_t ping) const {
    char text[24];
    std::snprintf(text, sizeof text, "%u ms", ping);
    WriteWhole(buffer, kPlayerTimeChars, text);
}

void QuakeProtocol::WriteQuery(ByteOutStream& out) {
    RequestWriter::QuakeStatus(out);
}

// The same request as the query; noting the ask lets the answer's player lines through.
void QuakeProtocol::WriteDetailRequest(ByteOutStream& out, uint64_t server, uint64_t nowMs) {
    challenges.AskPlayers(server, nowMs);
    RequestWriter::QuakeStatus(out);
}

} // namespace Portico
