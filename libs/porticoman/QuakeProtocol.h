// The protocol of Quake III-engine games: getstatus for both the query and the players (the
// status answer carries both), player time as ping.
#pragma once

#include "GameProtocolBase.h"

namespace Portico {

class QuakeProtocol final : public GameProtocolBase {
public:
    using GameProtocolBase::GameProtocolBase;

    // "N ms"
    void FormatPlayerTime(char16_t* buffer, uint32_t ping) const override;

private:
    void WriteQuery(ByteOutStream& out) override;
    void WriteDetailRequest(ByteOutStream& out, uint64_t server, uint64_t nowMs) override;
};

} // namespace Portico
