// The console window under Wine: a stand-in user on another thread types the password and the
// commands and reads the pane, against the simulator's consoles.
#include "RconTestSupport.h"

#include "common/win/LanguageLibrary.h"
#include "rcon/win/RconFrm.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace Portico {
namespace {

using RconTest::ConsoleServers;
using RconTest::Eventually;

constexpr wchar_t kConsoleCaption[] = L"RCON Console";
constexpr wchar_t kPasswordCaption[] = L"Input password";

struct Search {
    const wchar_t* caption; // null: any visible window
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    const bool shown = IsWindowVisible(window) != FALSE;
    if ((shown || !search->visibleOnly) &&
        (!search->caption || std::wstring(caption) == search->caption))
        search->found.push_back(window);
    return TRUE;
}

std::wstring TextOf(HWND window) {
    const int length = int(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::vector<wchar_t> text(size_t(length) + 1);
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::wstring(text.data());
}

// What a user does, from a thread of its own while the dialog runs modally on the test's.
class User {
public:
    explicit User(DWORD uiThread) : uiThread(uiThread) {}

    std::vector<HWND> Windows(const wchar_t* caption, bool visibleOnly) {
        Search search{caption, visibleOnly, {}};
        EnumThreadWindows(uiThread, MatchCaption, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND WaitForWindow(const wchar_t* caption, bool visibleOnly = true) {
        HWND found = nullptr;
        Eventually([&] {
            const auto windows = Windows(caption, visibleOnly);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        });
        return found;
    }
    bool GivePassword(const wchar_t* password) {
        HWND prompt = WaitForWindow(kPasswordCaption);
        if (!prompt)
            return false;
        SetDlgItemTextW(prompt, IDC_PASSWORD_EDIT, password);
        PostMessageW(prompt, WM_COMMAND, IDOK, 0);
        // A connection that fails at once may end the console before it ever shows.
        console = WaitForWindow(kConsoleCaption, false);
        return console != nullptr;
    }
    std::wstring Pane() { return TextOf(GetDlgItem(console, IDC_CONSOLE_OUTPUT)); }
    bool PaneHas(const std::wstring& text, size_t times = 1) {
        return Eventually([&] {
            const std::wstring pane = Pane();
            size_t seen = 0;
            for (size_t at = pane.find(text); at != std::wstring::npos;
                 at = pane.find(text, at + 1))
                ++seen;
            return seen >= times;
        });
    }
    // Types the command and presses Enter in the command line, once it takes commands.
    bool Command(const wchar_t* command) {
        HWND line = GetDlgItem(console, IDC_CONSOLE_INPUT);
        if (!Eventually([&] { return IsWindowEnabled(line) != FALSE; }))
            return false;
        SetWindowTextW(line, command);
        Key(VK_RETURN);
        return Eventually([&] { return TextOf(line).empty(); });
    }
    void Key(WPARAM key) {
        PostMessageW(GetDlgItem(console, IDC_CONSOLE_INPUT), WM_KEYDOWN, key, 1);
    }
    void Close() { PostMessageW(console, WM_COMMAND, IDC_CONSOLE_CLOSE, 0); }

    HWND console = nullptr;

private:
    const DWORD uiThread;
};

class RconFrmTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(servers.Started()) << servers.Error();
        handle = language.LoadLanguageModule(L"Tessel");
        ASSERT_NE(nullptr, handle);
    }
    // Runs the console on this thread while act plays the user; the dialog's result.
    INT_PTR Run(ConsoleServers::Index index, const std::function<void(User&)>& act) {
        RconFrm console(servers.Address(index), servers.Game(index), language, handle);
        User user(GetCurrentThreadId());
        std::atomic<bool> done{false};
        std::thread acting([&] {
            act(user);
            // Whatever happened, every window closes and the dialog ends.
            while (!done) {
                for (HWND left : user.Windows(nullptr, true))
                    PostMessageW(left, WM_CLOSE, 0, 0);
                Sleep(50);
            }
        });
        const INT_PTR result = console.DoModal(nullptr);
        done = true;
        acting.join();
        return result;
    }

    ConsoleServers servers;
    LanguageLibrary language;
    void* handle = nullptr;
};

TEST_F(RconFrmTest, SourceConsoleLogsInAndShowsCommandsAndLongAnswers) {
    std::wstring pane, recalled;
    const INT_PTR result = Run(ConsoleServers::kSource, [&](User& user) {
        if (!user.GivePassword(L"secret") || !user.PaneHas(L"* Logged in to the console.") ||
            !user.Command(L"status") || !user.PaneHas(L"players: 0"))
            return;
        if (!user.Command(L"cvarlist") || !user.PaneHas(L"cvar_641 = 4487"))
            return;
        user.Key(VK_UP);
        Eventually([&] {
            recalled = TextOf(GetDlgItem(user.console, IDC_CONSOLE_INPUT));
            return recalled == L"cvarlist";
        });
        pane = user.Pane();
        user.Close();
    });
    EXPECT_EQ(0, result);
    // The login's empty answer, its status line, the echoed command and the output lines.
    EXPECT_EQ(0u, pane.find(L"* Logged in to the console.\r\n> status\r\nhostname: Console\r\n"
                            L"players: 0\r\n> cvarlist\r\ncvar_0 = 0\r\n"))
        << std::string(pane.begin(), pane.begin() + (pane.size() < 200 ? pane.size() : 200));
    EXPECT_NE(std::wstring::npos, pane.find(L"cvar_641 = 4487\r\n"));
    EXPECT_EQ(L"cvarlist", recalled);
}

TEST_F(RconFrmTest, LongSessionsGoPastTheEditControlsOwnLimit) {
    std::wstring large;
    // Past the edit control's own limit of 32767 characters.
    Run(ConsoleServers::kQuake, [&](User& user) {
        if (!user.GivePassword(L"secret"))
            return;
        for (size_t i = 1; i <= 4; ++i)
            if (!user.Command(L"cvarlist") || !user.PaneHas(L"cvar_641 = 4487", i))
                return;
        if (user.Command(L"echo last") && user.PaneHas(L"\r\nlast\r\n"))
            large = user.Pane();
        user.Close();
    });
    EXPECT_GT(large.size(), 40000u);
}

TEST_F(RconFrmTest, CancelledPasswordEndsTheConsole) {
    bool asked = false;
    EXPECT_EQ(0, Run(ConsoleServers::kQuake, [&](User& user) {
                  HWND prompt = user.WaitForWindow(kPasswordCaption);
                  asked = prompt != nullptr;
                  PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
              }));
    EXPECT_TRUE(asked);
}

} // namespace
} // namespace Portico
