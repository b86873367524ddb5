// The modal "Input password" dialog on template 2003: one line of text, shown as typed. Used
// when joining a server that needs a password and when opening the remote console.
#pragma once

#include "common/ResourceIds.h"
#include "utils/win/DialogImplT.h"
#include "utils/win/MessageMap.h"

#include <string>

namespace Portico {

class LanguageLibrary;

class PwdInput : public Utils::DialogImplT<PwdInput> {
public:
    static constexpr int kDialogId = IDD_PASSWORD;
    // Characters the edit takes; a password read back holds at most one fewer.
    static constexpr int kEditChars = 256;

    PwdInput(LanguageLibrary& language, void* languageHandle, std::wstring text = {})
        : language(language), languageHandle(languageHandle), text(std::move(text)) {}

    // What DoModal returns.
    static constexpr INT_PTR kOk = 1;
    static constexpr INT_PTR kCancelled = 0;

    // After DoModal returned kOk: what the user typed.
    const std::wstring& Text() const { return text; }

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    PORTICO_COMMAND_ID_HANDLER(IDOK, OnOk)
    PORTICO_COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    PORTICO_END_MSG_MAP()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnOk(WORD, WORD, HWND, bool&);
    LRESULT OnCancel(WORD, WORD, HWND, bool&);

    LanguageLibrary& language;
    void* const languageHandle;
    std::wstring text;
};

} // namespace Portico
