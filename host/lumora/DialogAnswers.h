// Answers the modal dialogs and message boxes that the plug-in opens while a script command
// runs. The command does not return until the dialog ends, so a thread timer, which runs
// inside the dialog's own message loop, finds each new dialog, writes it to the host log and
// answers it with the next queued answer.
#pragma once

#include <windows.h>

#include <deque>
#include <set>
#include <string>

namespace Lumora {

class DialogAnswers {
public:
    static DialogAnswers& Instance();

    // Starts looking for dialogs (once).
    void Start();
    // "ok" and "cancel" press that button; any other text is typed into the dialog's first
    // edit before OK is pressed.
    void Queue(const std::string& answer);

private:
    struct Answer {
        int button; // IDOK or IDCANCEL
        bool typed;
        std::wstring text;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void LookForDialogs();
    void Handle(HWND dialog);

    std::deque<Answer> answers;
    std::set<HWND> seen; // dialogs already logged, answered or left alone
    UINT_PTR timer = 0;
};

} // namespace Lumora
