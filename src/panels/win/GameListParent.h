// The game-list panel: takes over the host's game-list view, through which the plug-in
// switches the host to a game of its category, shows its web page when the user selects the
// category, and draws its badge on the category's row.
#pragma once

#include "common/win/HostApi.h"
#include "panels/WebPage.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <cstdint>

namespace Portico {

class HostBinding;

class GameListParent : public Utils::WindowImplT<GameListParent> {
public:
    GameListParent() = default;
    ~GameListParent() override;

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(Host::kCategorySelectedMessage, OnCategorySelected)
    PORTICO_MESSAGE_HANDLER(WM_NOTIFY, OnNotify)
    PORTICO_MESSAGE_HANDLER(Utils::kReflectedBase + WM_NOTIFY, OnNotify)
    PORTICO_END_MSG_MAP()

    // Subclasses the host's "CGameListView"; false when it is missing or already taken.
    bool Attach(HostBinding& host);
    // Asks the host's view to switch to the game (command 500, the game id as its code).
    void SelectGame(uint32_t gameId);

private:
    LRESULT OnCategorySelected(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnNotify(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    void ShowWebPage();
    void DrawBadge(const NMCUSTOMDRAW& draw);

    HostBinding* host = nullptr;
    WebPage webPage;
    HDC badgeSurface = nullptr;
    HBITMAP badgeBitmap = nullptr;
    HGDIOBJ badgeSurfaceOld = nullptr;
};

} // namespace Portico
