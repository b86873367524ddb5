#include "browser/win/FPSFrame.h"

#include "common/PluginState.h"
#include "common/win/LanguageLibrary.h"

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
    language.TranslateDialog(state.language, Hwnd(), kDialogId);
    BuildServerMenu();
    return TRUE;
}

LRESULT FPSFrame::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    if (serverMenu)
        DestroyMenu(serverMenu);
    serverMenu = nullptr;
    handled = false;
    return 0;
}

void FPSFrame::BuildServerMenu() {
    serverMenu = CreatePopupMenu();
    if (!serverMenu)
        return;
    AppendMenuText(serverMenu, IDM_JOIN);
    AppendMenuText(serverMenu, IDM_ADD_FAVOURITE);
    if (state.RconAllowed())
        AppendMenuText(serverMenu, IDM_REMOTE_CONSOLE);
}

void FPSFrame::AppendMenuText(HMENU menu, UINT command) {
    AppendMenuW(menu, MF_STRING, command, language.GetMenuText(state.language, command).c_str());
}

LRESULT FPSFrame::OnClose(UINT, WPARAM, LPARAM, bool&) {
    Hide();
    return 0;
}

} // namespace Portico
