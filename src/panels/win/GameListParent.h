// The game-list panel: takes over the host's game-list view, through which the plug-in
// switches the host to a game of its category.
#pragma once

#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <cstdint>

namespace Portico {

class HostBinding;

class GameListParent : public Utils::WindowImplT<GameListParent> {
public:
    static constexpr WORD kSelectGameCommand = 500;

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_END_MSG_MAP()

    // Subclasses the host's "CGameListView"; false when it is missing or already taken.
    bool Attach(HostBinding& host);
    // Asks the host's view to switch to the game (command 500, the game id as its code).
    void SelectGame(uint32_t gameId);
};

} // namespace Portico
