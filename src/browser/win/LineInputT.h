// A small modal dialog that asks for one line of text: the language's texts, the edit limited
// to 256 characters and focused, centred on its owner. OK hands back what was typed (up to
// ReadChars - 1 characters), Cancel leaves the text as it was.
#pragma once

#include "common/win/LanguageLibrary.h"
#include "utils/win/DialogImplT.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WindowPlacement.h"

#include <string>
#include <vector>

namespace Portico {

template <int DialogId, int EditId, int ReadChars>
class LineInputT : public Utils::DialogImplT<LineInputT<DialogId, EditId, ReadChars>> {
public:
    static constexpr int kDialogId = DialogId;
    static constexpr int kEditChars = 256; // what the edit takes
    // What DoModal returns.
    static constexpr INT_PTR kOk = 1;
    static constexpr INT_PTR kCancelled = 0;

    LineInputT(LanguageLibrary& language, void* languageHandle, std::wstring text = {})
        : language(language), languageHandle(languageHandle), text(std::move(text)) {}

    // After DoModal returned kOk: what the user typed.
    const std::wstring& Text() const { return text; }

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    PORTICO_COMMAND_ID_HANDLER(IDOK, OnOk)
    PORTICO_COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    PORTICO_END_MSG_MAP()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
        const HWND dialog = this->Hwnd();
        language.TranslateDialog(languageHandle, dialog, kDialogId);
        SendDlgItemMessageW(dialog, EditId, EM_LIMITTEXT, kEditChars, 0);
        SetDlgItemTextW(dialog, EditId, text.c_str());
        Utils::CentreOnOwner(dialog);
        SetFocus(GetDlgItem(dialog, EditId));
        return FALSE; // the focus is set
    }

    LRESULT OnOk(WORD, WORD, HWND, bool&) {
        std::vector<wchar_t> typed(ReadChars, L'\0');
        GetDlgItemTextW(this->Hwnd(), EditId, typed.data(), ReadChars);
        text = typed.data();
        this->EndDialog(kOk);
        return 0;
    }

    LRESULT OnCancel(WORD, WORD, HWND, bool&) {
        this->EndDialog(kCancelled);
        return 0;
    }

    LanguageLibrary& language;
    void* const languageHandle;
    std::wstring text;
};

} // namespace Portico
