// The protocol of Source and GoldSrc games: A2S info queries, A2S player requests with the
// server's challenge, player time as play duration.
#pragma once

#include "GameProtocolBase.h"

namespace Portico {

class A2sProtocol final : public GameProtocolBase {
public:
    using GameProtocolBase::GameProtocolBase;

    // "1:02:03" from an hour on, "12:34" below.
    void FormatPlayerTime(char16_t* buffer, uint32_t seconds) const override;

private:
    void WriteQuery(ByteOutStream& out) override;
    void WriteDetailRequest(ByteOutStream& out, uint64_t server, uint64_t nowMs) override;
};

} // namespace Portico
