#include "browser/win/FPSFrame.h"

namespace Portico {

BOOL FPSFrame::PreTranslateMessage(MSG* message) {
    return Hwnd() && IsDialogMessageW(Hwnd(), message);
}

void FPSFrame::Show() {
    if (Hwnd())
        ShowWindow(Hwnd(), SW_SHOW);
}

void FPSFrame::Hide() {
    if (Hwnd())
        ShowWindow(Hwnd(), SW_HIDE);
}

void FPSFrame::Resize(int width, int height) {
    SetWindowPos(Hwnd(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

LRESULT FPSFrame::OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
    return TRUE;
}

LRESULT FPSFrame::OnClose(UINT, WPARAM, LPARAM, bool&) {
    Hide();
    return 0;
}

} // namespace Portico
