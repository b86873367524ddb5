#include "panels/win/CChatRoomView.h"

#include "common/win/HostBinding.h"

namespace Portico {

bool CChatRoomView::Attach(HostBinding& host) {
    return SubclassWindow(host.FindHostView("CChatRoomView"));
}

void CChatRoomView::Show(const std::wstring& name, HICON icon) {
    if (HWND roomInfo = Hwnd() ? GetDlgItem(Hwnd(), kHostRoomInfo) : nullptr)
        ShowWindow(roomInfo, SW_HIDE);
    gameName = name;
    gameIcon = icon;
    shown = true;
}

void CChatRoomView::Hide() {
    if (!shown)
        return;
    shown = false;
}

} // namespace Portico
