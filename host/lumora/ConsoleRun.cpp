#include "ConsoleRun.h"

#include "HostLog.h"
#include "Screenshot.h"

#include "common/ResourceIds.h"
#include "utils/win/WideText.h"

#include <sstream>

namespace Lumora {
namespace {

constexpr unsigned kStillTicks = 8;  // the output has settled after 800 ms without change
constexpr unsigned kMostTicks = 300; // a step that cannot go on for 30 s ends the run

// The whole output pane, which holds far more than a control's label.
std::wstring PaneText(HWND pane) {
    std::wstring text(size_t(GetWindowTextLengthW(pane)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(pane, &text[0], int(text.size()))));
    return text;
}

} // namespace

void ConsoleRun::Begin(HWND dialog, const std::string& text) {
    console = dialog;
    steps.clear();
    std::istringstream in(text);
    for (std::string step; std::getline(in, step, '|');)
        steps.push_back(step);
    next = 0;
    output.clear();
    sent.clear();
    stillTicks = waitedTicks = 0;
}

void ConsoleRun::Step() {
    if (!console)
        return;
    if (!IsWindow(console)) {
        Finish();
        return;
    }
    const std::wstring now = PaneText(GetDlgItem(console, IDC_CONSOLE_OUTPUT));
    stillTicks = now == output ? stillTicks + 1 : 0;
    output = now;
    const bool answered = sent.empty() || now != sent;
    if ((!answered || stillTicks < kStillTicks) && ++waitedTicks < kMostTicks)
        return;
    HWND input = GetDlgItem(console, IDC_CONSOLE_INPUT);
    if (next < steps.size() && !IsWindowEnabled(input) && ++waitedTicks < kMostTicks)
        return; // not connected yet
    waitedTicks = 0;
    stillTicks = 0;
    if (next >= steps.size()) {
        SendMessageW(GetDlgItem(console, IDC_CONSOLE_CLOSE), BM_CLICK, 0, 0);
        return;
    }
    const std::string step = steps[next++];
    sent.clear();
    if (step.rfind("@shot ", 0) == 0) {
        TakeScreenshot(console, step.substr(6));
        return;
    }
    SendMessageW(input, WM_SETTEXT, 0, LPARAM(Utils::WideFromUtf8(step).c_str()));
    SendMessageW(GetDlgItem(console, IDC_CONSOLE_SEND), BM_CLICK, 0, 0);
    sent = PaneText(GetDlgItem(console, IDC_CONSOLE_OUTPUT));
}

void ConsoleRun::Finish() {
    std::wistringstream lines(output);
    for (std::wstring line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        HostLog::Instance().Add(L"console: " + line);
    }
    HostLog::Instance().Add(L"console: closed");
    console = nullptr;
}

} // namespace Lumora
