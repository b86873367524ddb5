#include "panels/win/GameListParent.h"

#include "core/win/HostBinding.h"

namespace Portico {

bool GameListParent::Attach(HostBinding& host) {
    return SubclassWindow(host.FindHostView("CGameListView"));
}

void GameListParent::SelectGame(uint32_t gameId) {
    if (Hwnd())
        SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(kSelectGameCommand, WORD(gameId)),
                     reinterpret_cast<LPARAM>(Hwnd()));
}

} // namespace Portico
