// The remote console opened from the browser's context menu in the stand-in host under Wine,
// on the simulated consoles of data/browser-servers.sim (password "secret").
#include "HostRun.h"

#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace Portico::E2e {
namespace {

// A user with the console permission, in the favourites tab of a game.
std::string Start(int level, int gameItem) {
    const std::wstring store =
        Utils::WideFromUtf8(Utils::ExecutableFolder()) + L"user\\78\\fps.dat";
    DeleteFileW(store.c_str());
    return "set level " + std::to_string(level) + "\nset account 78\nload\nlogin\nclick " +
           std::to_string(gameItem) + "\ntab 1\n";
}

// Adds a server by its address; it becomes row 0 of the favourites tab.
std::string Add(const std::string& address) {
    return "answer " + address + "\nbutton 10008\nwait rows 1\nwait ms 1000\nselect 0\n";
}

// Opens the console of row 0 with a password and runs steps.
std::string Console(const std::string& password, const std::string& steps) {
    return "menu 2308\nanswer " + password + "\nanswer console " + steps + "\nrclick 0\n";
}

// Opens the console of row 0 with a password that ends it with a message.
std::string Refused(const std::string& password) {
    return "menu 2308\nanswer " + password + "\nanswer ok\nrclick 0\n";
}

std::string Shot(const char* name) {
    return std::string(PORTICO_E2E_SHOTS) + "/" + name;
}

const char kRejected[] = "log: dialog: \"Portico\" \"The server rejected the password.\"";
const char kEnded[] = "log: dialog: \"Portico\" \"The console connection ended with an error.\"";
const char kLastCvar[] = "log: console: cvar_449 1";

TEST(ConsoleFlow, SourceConsoleOverTcp) {
    const std::string shot = Shot("console-tcp.png");
    const HostOutput out = RunHost(Start(9, 2) + Add("127.0.5.3:27015") + Refused("wrong") +
                                   Console("secret", "status|cvarlist|@shot " + shot) + "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has(kRejected)) << out.All();
    EXPECT_TRUE(out.Has("log: console: hostname: Frontier Console")) << out.All();
    // The long answer came in several packets, all of it.
    EXPECT_TRUE(out.Has(kLastCvar)) << out.All();
}

TEST(ConsoleFlow, GoldSrcAndQuakeConsolesOverUdp) {
    const std::string shot = Shot("console-udp.png");
    HostOutput out = RunHost(Start(100, 3) + Add("127.0.5.1:27015") + Console("wrong", "status") +
                             Console("secret", "status|cvarlist|@shot " + shot) + "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("log: console: Bad rcon_password.")) << out.All();
    EXPECT_TRUE(out.Has("log: console: hostname: Valley Console")) << out.All();
    EXPECT_TRUE(out.Has(kLastCvar)) << out.All();

    out = RunHost(Start(9, 4) + Add("127.0.5.2:27960") + Console("secret", "status|cvarlist") +
                  "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("log: console: map: ae_corona")) << out.All();
    EXPECT_TRUE(out.Has(kLastCvar)) << out.All();
}

TEST(ConsoleFlow, ABrokenOrClosedConnectionEndsWithAMessage) {
    HostOutput out = RunHost(Start(9, 2) + Add("127.0.5.4:27015") + Refused("secret") + "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has(kEnded)) << out.All();

    // This server hangs up at the first command.
    out = RunHost(Start(9, 2) + Add("127.0.5.5:27015") +
                  "menu 2308\nanswer secret\nanswer console status\nanswer ok\nrclick 0\n"
                  "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("log: console: > status")) << out.All();
    EXPECT_TRUE(out.Has(kEnded)) << out.All();
}

TEST(ConsoleFlow, NoConsoleWithoutThePermission) {
    const HostOutput out =
        RunHost(Start(10, 2) + Add("127.0.5.3:27015") + "menu 2308\nrclick 0\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("log: TrackSkinPopupMenu 2304,2307,0,2306")) << out.All();
    EXPECT_EQ(out.Count("log: console: "), 0u);
}

} // namespace
} // namespace Portico::E2e
