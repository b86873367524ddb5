#include "DialogAnswers.h"

#include "BrowserWindow.h"
#include "ControlReader.h"
#include "HostLog.h"
#include "ScriptDriver.h"

#include "common/ResourceIds.h"
#include "utils/win/WideText.h"

#include <algorithm>

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
        answers.push_back({answer == "ok" ? IDOK : IDCANCEL, false, {}, {}});
    else if (answer.rfind("console ", 0) == 0)
        answers.push_back({IDCANCEL, false, {}, answer.substr(8)});
    else
        answers.push_back({IDOK, true, Utils::WideFromUtf8(answer), {}});
}

void CALLBACK DialogAnswers::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    Instance().LookForDialogs();
    Instance().console.Step();
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
    // A console takes the first console answer, any other dialog the first of the others.
    const bool isConsole = GetDlgItem(dialog, IDC_CONSOLE_INPUT) != nullptr;
    auto found = std::find_if(answers.begin(), answers.end(),
                              [&](const Answer& a) { return a.console.empty() != isConsole; });
    if (found == answers.end()) {
        Print(L"no answer queued for " + line);
        return;
    }
    // Taken before the press: pressing may open the next dialog inside this call.
    const Answer answer = *found;
    answers.erase(found);
    if (isConsole) {
        console.Begin(dialog, answer.console);
        return;
    }
    if (answer.typed && edit)
        SendMessageW(edit, WM_SETTEXT, 0, LPARAM(answer.text.c_str()));
    Press(dialog, answer.button);
}

} // namespace Lumora
