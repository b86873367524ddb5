// The players of the focused server: a reply's players merged into the rows already shown,
// one row per name (without case), rows of players who left removed.
#pragma once

#include "abi/ProtocolInterface.h"
#include "browser/PlayerRows.h"

namespace Portico {

class PlayerListModel {
public:
    enum PlayerColumn : int32_t { kColumnPlayer = 0, kColumnPlayerTime, kColumnScore };

    explicit PlayerListModel(PlayerRows& rows) : rows(rows) {}

    // protocol formats the times; null leaves them empty.
    void Merge(const PlayerList& list, const GameProtocol* protocol);
    void Clear() { rows.DeleteAll(); }

private:
    int32_t Find(const std::u16string& name);

    PlayerRows& rows;
};

} // namespace Portico
