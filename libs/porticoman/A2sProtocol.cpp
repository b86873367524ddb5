#include "A2sProtocol.h"

#include "RequestWriter.h"
#include "TextCopy.h"

#include <cstdio>

namespace Portico {

void A2sProtocol::FormatPlayerTime(char16_t* buffer, uint32_t seconds) const {
    char text[32];
    const uint32_t hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    if (hours > 0)
        std::snprintf(text, sizeof text, "%u:%02u:%02u", hours, minutes, rest);
    else
        std::snprintf(text, sizeof text, "%u:%02u", minutes, rest);
    WriteWhole(buffer, kPlayerTimeChars, text);
}

// Without an address there is no challenge to add: a server that wants one answers with it,
// and the follow-up repeats the request (BuildDetailRequest).
void A2sProtocol::WriteQuery(ByteOutStream& out) {
    RequestWriter::A2sInfo(out);
}

void A2sProtocol::WriteDetailRequest(ByteOutStream& out, uint64_t server, uint64_t nowMs) {
    RequestWriter::A2sPlayers(out, challenges.AskPlayers(server, nowMs));
}

} // namespace Portico
