#include "rcon/win/RconFrm.h"

#include "browser/win/PwdInput.h"
#include "common/win/LanguageLibrary.h"
#include "rcon/RconNotice.h"
#include "utils/Utf.h"
#include "utils/win/WindowPlacement.h"

#include <cstring>

namespace Portico {

namespace {

constexpr uint32_t kCaptionText = 101;
constexpr uint32_t kNoSocketText = 105;
constexpr uint32_t kRejectedText = 106;
constexpr uint32_t kLoggedInText = 107;
constexpr uint32_t kEndedText = 108;
// Room the pane's edit control has beyond what the pane keeps.
constexpr size_t kPaneMargin = 64 * 1024;
// The longest line the command line takes.
constexpr int kCommandChars = 4095;

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Commands and passwords go to the server in the ANSI code page.
std::string Ansi(const std::u16string& text) {
    if (text.empty())
        return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int n =
        WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

// Lets the messages sent to this thread through while the session waits for its senders.
void PumpSentMessages() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

} // namespace

RconFrm::RconFrm(const ServerAddress& server, GameProtocol* game, LanguageLibrary& language,
                 void* languageHandle, size_t paneChars)
    : session(server, game), pane(paneChars), paneChars(paneChars), language(language),
      languageHandle(languageHandle) {}

intptr_t RconFrm::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const HWND window = Hwnd();
    return window ? SendMessageW(window, message, wParam, lParam) : 0;
}

LRESULT RconFrm::OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
    if (session.Kind() == kRconNone) {
        EndDialog(0);
        return TRUE;
    }
    Utils::CentreOnOwner(Hwnd());
    language.TranslateDialog(languageHandle, Hwnd(), kDialogId);
    input.SubclassWindow(GetDlgItem(Hwnd(), IDC_CONSOLE_INPUT));
    SendMessageW(input.Hwnd(), EM_LIMITTEXT, kCommandChars, 0);
    // The edit's own limit would stop the output long before the pane's.
    SendDlgItemMessageW(Hwnd(), IDC_CONSOLE_OUTPUT, EM_SETLIMITTEXT, paneChars + kPaneMargin, 0);
    if (!Open()) {
        EndDialog(0);
        return TRUE;
    }
    SetFocus(input.Hwnd());
    return FALSE; // the focus is set
}

bool RconFrm::Open() {
    PwdInput ask(language, languageHandle);
    if (ask.DoModal(GetActiveWindow()) != PwdInput::kOk)
        return false;
    const std::string password =
        Ansi(std::u16string(reinterpret_cast<const char16_t*>(ask.Text().c_str())));
    switch (session.Begin(password, *this)) {
    case RconSession::Begun::Started:
        // Commands wait until they can succeed: for the connection, made on another thread,
        // or for the challenge of games that have one.
        EnableInput(session.Kind() != kRconTcp && session.ChallengeKnown());
        return true;
    case RconSession::Begun::NoSocket:
        if (session.Kind() != kRconTcp)
            MessageBoxW(Hwnd(), Wide(Text(kNoSocketText)), Wide(Text(kCaptionText)), MB_OK);
        return false;
    default:
        return false;
    }
}

LRESULT RconFrm::OnClose(UINT, WPARAM, LPARAM, bool&) {
    EndDialog(0);
    return 0;
}

LRESULT RconFrm::OnCloseButton(WORD, WORD, HWND, bool&) {
    EndDialog(0);
    return 0;
}

// Notifications on their way are let through, and ignored, before the channel closes.
LRESULT RconFrm::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    ending = true;
    session.Stop(&PumpSentMessages);
    input.UnsubclassWindow();
    handled = false;
    return 0;
}

LRESULT RconFrm::OnNotify(UINT, WPARAM wParam, LPARAM lParam, bool&) {
    if (ending)
        return 0;
    switch (intptr_t(wParam)) {
    case RconNotice::kRejected:
        Fail(kRejectedText);
        break;
    case RconNotice::kOutput:
        if (lParam) {
            const auto* text = reinterpret_cast<const char*>(lParam);
            Show(ConsoleKind::Output, Utils::Utf::ToUtf16({text, std::strlen(text)}));
        } else {
            Show(ConsoleKind::Status, Text(kLoggedInText) + u"\r\n");
        }
        break;
    case RconNotice::kConnected:
    case RconNotice::kChallenge:
        EnableInput(true);
        break;
    case RconNotice::kEnded:
        Fail(kEndedText);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT RconFrm::OnSend(WORD, WORD, HWND, bool&) {
    const std::u16string line = input.Text();
    const RconSession::Sent sent = session.SendCommand(Ansi(line));
    if (sent == RconSession::Sent::NotReady && session.Kind() == kRconTcp) {
        EndDialog(0);
        return 0;
    }
    if (sent == RconSession::Sent::TooLong) {
        MessageBeep(MB_ICONWARNING);
        return 0;
    }
    Show(ConsoleKind::Command, line + u"\r\n");
    input.Sent(line);
    return 0;
}

void RconFrm::Show(ConsoleKind kind, const std::u16string& text) {
    if (!prefixesRead) {
        for (uint32_t i = 0; i < 3; ++i)
            prefixes[i] = Text(kConsolePrefixText + i);
        prefixesRead = true;
    }
    const std::u16string shown = FormatConsoleText(prefixes[uint32_t(kind)], text);
    const ConsoleOutput::Fit fit = pane.Append(shown);
    const HWND output = GetDlgItem(Hwnd(), IDC_CONSOLE_OUTPUT);
    if (fit.dropFront != 0) {
        SendMessageW(output, EM_SETSEL, 0, LPARAM(fit.dropFront));
        SendMessageW(output, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
    const int end = GetWindowTextLengthW(output);
    SendMessageW(output, EM_SETSEL, WPARAM(end), LPARAM(end));
    SendMessageW(output, EM_SCROLLCARET, 0, 0);
    SendMessageW(output, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(Wide(shown) + fit.skipText));
    SendMessageW(output, EM_SCROLLCARET, 0, 0);
}

void RconFrm::Fail(uint32_t textId) {
    if (ending)
        return;
    ending = true;
    MessageBoxW(Hwnd(), Wide(Text(textId)), Wide(Text(kCaptionText)), MB_OK);
    EndDialog(0);
}

void RconFrm::EnableInput(bool enable) {
    EnableWindow(input.Hwnd(), enable);
    EnableWindow(GetDlgItem(Hwnd(), IDC_CONSOLE_SEND), enable);
    if (enable)
        SetFocus(input.Hwnd());
}

std::u16string RconFrm::Text(uint32_t textId) {
    const std::wstring text = language.GetText(languageHandle, textId);
    return std::u16string(reinterpret_cast<const char16_t*>(text.c_str()), text.size());
}

} // namespace Portico
