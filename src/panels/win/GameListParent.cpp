#include "panels/win/GameListParent.h"

#include "common/ResourceIds.h"
#include "common/win/HostBinding.h"
#include "panels/GameListBadge.h"
#include "panels/win/HtmlView.h"
#include "utils/win/Module.h"

namespace Portico {

GameListParent::~GameListParent() {
    if (badgeSurface) {
        SelectObject(badgeSurface, badgeSurfaceOld);
        DeleteDC(badgeSurface);
    }
    if (badgeBitmap)
        DeleteObject(badgeBitmap);
}

bool GameListParent::Attach(HostBinding& binding) {
    if (!SubclassWindow(binding.FindHostView("CGameListView")))
        return false;
    host = &binding;
    return true;
}

void GameListParent::SelectGame(uint32_t gameId) {
    if (Hwnd())
        SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(Host::kSelectGameCommand, WORD(gameId)),
                     reinterpret_cast<LPARAM>(Hwnd()));
}

LRESULT GameListParent::OnCategorySelected(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    // The host switches its own panels first; the web page replaces what it showed.
    const LRESULT result = DefWindowProc(message, wParam, lParam);
    if (uint32_t(lParam) == Host::kPluginCategory)
        ShowWebPage();
    return result;
}

LRESULT GameListParent::OnNotify(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->code != UINT(NM_CUSTOMDRAW)) {
        handled = false;
        return 0;
    }
    const LRESULT result = DefWindowProc(message, wParam, lParam);
    const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
    if (!GameListBadge::Draws(draw.dwDrawStage, draw.dwItemSpec))
        return result;
    DrawBadge(draw);
    return CDRF_SKIPDEFAULT;
}

void GameListParent::ShowWebPage() {
    if (!host)
        return;
    const std::u16string& page = webPage.Path(*host);
    if (page.empty())
        return;
    HWND panel = host->FindHostView("CRoomsWebViewPanel");
    HWND control = panel ? GetNextDlgGroupItem(panel, nullptr, FALSE) : nullptr;
    if (control)
        HtmlView(control).Navigate(std::wstring(page.begin(), page.end()));
}

void GameListParent::DrawBadge(const NMCUSTOMDRAW& draw) {
    if (!badgeBitmap)
        badgeBitmap = static_cast<HBITMAP>(LoadImageW(Utils::ModuleInstance(),
                                                      MAKEINTRESOURCEW(IDB_CATEGORY_BADGE),
                                                      IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!badgeSurface && badgeBitmap) {
        badgeSurface = CreateCompatibleDC(draw.hdc);
        if (badgeSurface)
            badgeSurfaceOld = SelectObject(badgeSurface, badgeBitmap);
    }
    if (!badgeSurface)
        return;
    const auto at = GameListBadge::At(draw.rc.right, draw.rc.top, draw.rc.bottom);
    SetBkMode(draw.hdc, TRANSPARENT);
    TransparentBlt(draw.hdc, at.x, at.y, GameListBadge::kWidth, GameListBadge::kHeight,
                   badgeSurface, GameListBadge::kSourceX, GameListBadge::kSourceY,
                   GameListBadge::kWidth, GameListBadge::kHeight, RGB(0, 0, 0));
}

} // namespace Portico
