#include "DialogAnswers.h"

#include "BrowserWindow.h"
#include "ControlReader.h"
#include "HostLog.h"
#include "ScriptDriver.h"

#include "utils/win/WideText.h"

#include <vector>

namespace Lumora {
namespace {

constexpr UINT kLookEveryMs = 100;
constexpr int kMessageBoxText = 0xFFFF; // the static that holds a message box's text

BOOL CALLBACK FindEdit(HWND child, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Edit") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

HWND FirstEdit(HWND dialog) {
    HWND edit = nullptr;
    EnumChildWindows(dialog, FindEdit, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

void Press(HWND dialog, int id) {
    if (HWND button = GetDlgItem(dialog, id))
        SendMessageW(button, BM_CLICK, 0, 0);
    else
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

} // namespace

DialogAnswers& DialogAnswers::Instance() {
    static DialogAnswers answers;
    return answers;
}

void DialogAnswers::Start() {
    if (!timer)
        timer = SetTimer(nullptr, 0, kLookEveryMs, &DialogAnswers::OnTimer);
}

void DialogAnswers::Queue(const std::string& answer) {
    if (answer == "ok" || answer == "cancel")
        answers.push_back({answer == "ok" ? IDOK : IDCANCEL, false, {}});
    else
        answers.push_back({IDOK, true, Utils::WideFromUtf8(answer)});
}

void CALLBACK DialogAnswers::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    Instance().LookForDialogs();
}

void DialogAnswers::LookForDialogs() {
    for (auto it = seen.begin(); it != seen.end();)
        it = IsWindow(*it) ? std::next(it) : seen.erase(it);
    HWND browser = FindBrowser();
    // A dialog that opens another one is disabled while the other is open.
    for (HWND dialog : ThreadDialogs())
        if (dialog != browser && IsWindowVisible(dialog) && IsWindowEnabled(dialog) &&
            seen.insert(dialog).second)
            Handle(dialog);
}

void DialogAnswers::Handle(HWND dialog) {
    HWND edit = FirstEdit(dialog);
    HWND text = GetDlgItem(dialog, kMessageBoxText);
    const std::wstring line = L"dialog: \"" + WindowText(dialog) + L"\" \"" +
                              (text || edit ? WindowText(text ? text : edit) : L"") + L"\"";
    HostLog::Instance().Add(line);
    if (answers.empty()) {
        Print(L"no answer queued for " + line);
        return;
    }
    // Taken before the press: pressing may open the next dialog inside this call.
    const Answer answer = answers.front();
    answers.pop_front();
    if (answer.typed && edit)
        SendMessageW(edit, WM_SETTEXT, 0, LPARAM(answer.text.c_str()));
    Press(dialog, answer.button);
}

} // namespace Lumora
