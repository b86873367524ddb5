#include "browser/win/PwdInput.h"

#include "common/win/LanguageLibrary.h"
#include "utils/win/WindowPlacement.h"

namespace Portico {

LRESULT PwdInput::OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
    language.TranslateDialog(languageHandle, Hwnd(), kDialogId);
    SendDlgItemMessageW(Hwnd(), IDC_PASSWORD_EDIT, EM_LIMITTEXT, kEditChars, 0);
    SetDlgItemTextW(Hwnd(), IDC_PASSWORD_EDIT, text.c_str());
    Utils::CentreOnOwner(Hwnd());
    SetFocus(GetDlgItem(Hwnd(), IDC_PASSWORD_EDIT));
    return FALSE; // the focus is set
}

LRESULT PwdInput::OnOk(WORD, WORD, HWND, bool&) {
    wchar_t typed[kEditChars] = {};
    GetDlgItemTextW(Hwnd(), IDC_PASSWORD_EDIT, typed, kEditChars);
    text = typed;
    EndDialog(kOk);
    return 0;
}

LRESULT PwdInput::OnCancel(WORD, WORD, HWND, bool&) {
    EndDialog(kCancelled);
    return 0;
}

} // namespace Portico
