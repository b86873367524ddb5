// The injection library and the game-side hook together, on the stand-in game: a window of
// this test plays the browser, the plug-in's shared block points the hook at it.
#include "abi/GameHook.h"
#include "abi/Infuser.h"
#include "plugin/win/HookMapping.h"
#include "utils/DynamicLibrary.h"
#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

// Winsock 2 before windows.h, which would otherwise bring the old Winsock.
#include <winsock2.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace Portico {
namespace {

struct Report {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Report> reports;

LRESULT CALLBACK BrowserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kGameHookMessage) {
        reports.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class GameHookTest : public testing::Test {
protected:
    void SetUp() override {
        reports.clear();
        folder = Utils::WideFromUtf8(Utils::ExecutableFolder());
        log = folder + L"gamehook-test.log";
        DeleteFileW(log.c_str());
        SetEnvironmentVariableW(L"PORTICO_TESTGAME_LOG", log.c_str());
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &BrowserProc;
        windowClass.lpszClassName = L"GameHookTestBrowser";
        RegisterClassW(&windowClass);
        browser = CreateWindowW(L"GameHookTestBrowser", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
        const Utils::DynamicLibrary infuser(Utils::Utf8FromWide(folder + L"Infuser.dll"));
        infuse = reinterpret_cast<InfuseCodeFn>(infuser.Find(kInfuseCodeName));
    }
    void TearDown() override { DestroyWindow(browser); }

    // Starts the game suspended, has the hook run in it when `hook`, and pumps this thread's
    // messages until the game has ended. True when the game ran.
    bool RunGame(const std::wstring& arguments, bool hook, bool& injected) {
        std::wstring line = L"\"" + folder + L"testgame.exe\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION game{};
        if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                            folder.c_str(), &startup, &game))
            return false;
        const std::wstring gantry = folder + L"Gantry.dll";
        injected = hook && infuse(game.hProcess, Utils::AsUtf16(gantry).data()) != 0;
        ResumeThread(game.hThread);
        CloseHandle(game.hThread);
        while (MsgWaitForMultipleObjects(1, &game.hProcess, FALSE, 20000, QS_ALLINPUT) ==
               WAIT_OBJECT_0 + 1) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
        CloseHandle(game.hProcess);
        return true;
    }

    std::vector<std::string> LogLines() const {
        std::ifstream file(log.c_str());
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    std::wstring folder, log;
    HWND browser = nullptr;
    InfuseCodeFn infuse = nullptr;
};

// The server that a game's own traffic goes to, here a socket of this test on loopback.
class PlayedServer {
public:
    PlayedServer() {
        WSADATA winsock;
        WSAStartup(MAKEWORD(2, 2), &winsock);
        s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof(address);
        bind(s, reinterpret_cast<sockaddr*>(&address), length);
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
    }
    ~PlayedServer() {
        closesocket(s);
        WSACleanup();
    }
    std::wstring Argument() const { return L"+play 127.0.0.1:" + std::to_wstring(port); }

    SOCKET s;
    uint16_t port = 0;
};

TEST_F(GameHookTest, TheHookReportsTheCommandLinesServerThenFollowsTheGamesTraffic) {
    ASSERT_NE(infuse, nullptr);
    HookMapping block;
    ASSERT_TRUE(block.Create(browser, L"Player1"));
    const PlayedServer played;
    ASSERT_NE(played.port, 0);
    const HookReport connected = HookServerReport(0x7F000101u, 27015);
    const HookReport moved = HookServerReport(0x7F000001u, played.port);
    bool injected = false;
    // From the command line's server to the one its sendto traffic goes to, then its end.
    ASSERT_TRUE(
        RunGame(L"+connect 127.0.1.1:27015 " + played.Argument() + L" +stay 1000", true, injected));
    EXPECT_TRUE(injected);
    const auto lines = LogLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], "hook: 1");
    EXPECT_EQ(lines.back(), "exit");
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].wParam, connected.wParam);
    EXPECT_EQ(reports[0].lParam, connected.lParam);
    EXPECT_EQ(reports[1].wParam, moved.wParam);
    EXPECT_EQ(reports[1].lParam, moved.lParam);
    EXPECT_EQ(reports[2].wParam, 0u);

    // Without +connect, the first server its WSASendTo traffic goes to.
    reports.clear();
    ASSERT_TRUE(RunGame(played.Argument() + L" +via wsa +stay 1000", true, injected));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].wParam, moved.wParam);
    EXPECT_EQ(reports[0].lParam, moved.lParam);
    EXPECT_EQ(reports[1].wParam, 0u);
}

TEST_F(GameHookTest, WithoutAConnectArgumentOrWithoutTheBlockTheHookStaysQuiet) {
    bool injected = false;
    ASSERT_TRUE(RunGame(L"+stay 100 +connect 127.0.1.1:27015", true, injected));
    EXPECT_TRUE(injected);
    HookMapping block;
    ASSERT_TRUE(block.Create(browser, L"Player1"));
    ASSERT_TRUE(RunGame(L"+stay 100", true, injected));
    EXPECT_TRUE(injected);
    EXPECT_TRUE(reports.empty());
}

TEST_F(GameHookTest, AGameWithoutTheHookRunsAndTheInjectorRefusesBadArguments) {
    ASSERT_NE(infuse, nullptr);
    bool injected = true;
    ASSERT_TRUE(RunGame(L"+stay 100", false, injected));
    const auto lines = LogLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], "hook: 0");
    EXPECT_EQ(infuse(nullptr, u"x.dll"), 0);
    EXPECT_EQ(infuse(GetCurrentProcess(), nullptr), 0);
    EXPECT_EQ(infuse(GetCurrentProcess(), u""), 0);
    // A library that is not there loads nowhere.
    EXPECT_EQ(infuse(GetCurrentProcess(), Utils::AsUtf16(folder + L"NoSuch.dll").data()), 0);
}

} // namespace
} // namespace Portico
