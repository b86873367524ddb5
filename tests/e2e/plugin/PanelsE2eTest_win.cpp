// The chat-room panel and the buddy list in the stand-in host under Wine, as a user meets
// them: room lists packed by fsl-pack and served by the test's own HTTP server on loopback,
// the simulated servers of data/panels-servers.sim (started by with-simulator) answering.
#include "HostRun.h"
#include "LoopbackHttpServer.h"

#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace Portico::E2e {
namespace {

using Test::FileReply;
using Test::LoopbackHttpServer;

const char* const kOld = "Sun, 06 Nov 1994 08:49:37 GMT";
const char* const kNew = "Mon, 07 Nov 1994 08:49:37 GMT";
// Rooms of Harbor Assault: Germany (area 4, under Europe, 1) and the United States (area 6,
// under the Americas, 2).
const char* const kEuropePath = "/fsl/1003_1.fsl";
const char* const kAmericasPath = "/fsl/1003_2.fsl";
const std::vector<std::string> kEurope{"127.0.1.1:28015", "127.0.1.1:28016", "127.0.1.2:28015"};
const std::vector<std::string> kAmericas{"127.0.2.1:28015", "127.0.2.2:28016"};
const std::string kLogin = "set account 78\nset address 127.0.1.5\nload\nlogin\n";
// Long enough for the list, the answers and the first retry tick that settles the order.
const std::string kSettle = "wait ms 2500\n";

std::string Folder() {
    return Utils::ExecutableFolder();
}

std::string Shot(const char* name) {
    return std::string(PORTICO_E2E_SHOTS) + "/" + name;
}

// Column c of the panel's rows in the last dump.
std::vector<std::string> RoomColumn(const HostOutput& out, size_t c) {
    std::vector<std::string> texts;
    for (const auto& row : out.LastDump("roomrow: ")) {
        const auto fields = Fields(row);
        texts.push_back(c < fields.size() ? fields[c] : std::string());
    }
    return texts;
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

int Milliseconds(const std::string& time) {
    return time.find(" ms") == std::string::npos ? -1 : std::stoi(time);
}

bool HasLog(const HostOutput& out, const std::string& text) {
    for (const auto& line : out.LastDump("log: "))
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

// Packs the servers into a server-list file with the publisher's tool, fsl-pack.
std::string Pack(const std::vector<std::string>& servers) {
    const std::string list = Folder() + "e2e-room-list.txt";
    const std::string packed = Folder() + "e2e-room-list.fsl";
    {
        std::ofstream file(Utils::WideFromUtf8(list).c_str());
        for (const auto& server : servers)
            file << server << "\n";
    }
    std::wstring command = L"\"" + Utils::WideFromUtf8(Folder()) + L"fsl-pack.exe\" -o \"" +
                           Utils::WideFromUtf8(packed) + L"\" \"" + Utils::WideFromUtf8(list) +
                           L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return {};
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream file(Utils::WideFromUtf8(packed).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class PanelsFlow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Started());
        SetEnvironmentVariableW(L"PORTICO_FSL_HOST",
                                Utils::WideFromUtf8(server.HostAndPort()).c_str());
        // Every flow starts without a user store, so without a stored list.
        DeleteFileW(Utils::WideFromUtf8(Folder() + "user\\78\\fps.dat").c_str());
        europe = Pack(kEurope);
        ASSERT_FALSE(europe.empty());
        server.Serve(kEuropePath, FileReply(europe, kOld));
        server.Serve(kAmericasPath, FileReply(Pack(kAmericas), kOld));
    }
    void TearDown() override { SetEnvironmentVariableW(L"PORTICO_FSL_HOST", nullptr); }

    LoopbackHttpServer server;
    std::string europe;
};

TEST_F(PanelsFlow, JoiningARoomListsItsServersWithPingsSortedByPing) {
    const std::string shot = Shot("panel-room.png");
    // The category selected too: the picture shows its badge and its page beside the room.
    const HostOutput out =
        RunHost(kLogin + "join 1003 4\ncategory 6\n" + kSettle + "dump\nscreenshot " + shot + "\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(Sorted(RoomColumn(out, 0)),
              (std::vector<std::string>{"Harbor Docks", "Harbor Gate", "Harbor Vault"}))
        << out.All();
    EXPECT_EQ(RoomColumn(out, 1).size(), 3u);
    int last = 0;
    for (const auto& time : RoomColumn(out, 3)) {
        EXPECT_GE(Milliseconds(time), last) << out.All();
        last = Milliseconds(time);
    }
    // The list sits above the chat, the three buttons beside the room's label.
    const auto room = out.LastDump("room: list=");
    ASSERT_EQ(room.size(), 1u);
    EXPECT_NE(room[0].find("list-visible=1"), std::string::npos) << room[0];
    EXPECT_NE(room[0].find("button1150=1 button1151=1 button1153=1"), std::string::npos);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{kEuropePath});
    EXPECT_TRUE(out.Has("paint: category 6 prepaint=4 postpaint=0 badge=1")) << out.All();
    EXPECT_TRUE(HasLog(out, "web\\portico.en.html")) << out.All();
    EXPECT_FALSE(out.Has("error: screenshot " + shot));
}

TEST_F(PanelsFlow, AnotherRoomWhileTheFirstListDownloadsSlowlyShowsOnlyTheSecondRoom) {
    const std::string shot = Shot("panel-second-room.png");
    auto slow = FileReply(europe, kOld);
    slow.delayMs = 3000;
    server.Serve(kEuropePath, slow);
    const HostOutput out = RunHost(kLogin +
                                   "join 1003 4\nwait ms 500\njoin 1003 6\nwait ms 6000\n"
                                   "dump\nscreenshot " +
                                   shot + "\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{kEuropePath, kAmericasPath}));
    EXPECT_EQ(Sorted(RoomColumn(out, 0)), (std::vector<std::string>{"Harbor Bay", "Harbor Pier"}))
        << out.All();
    for (const auto& time : RoomColumn(out, 3))
        EXPECT_GT(Milliseconds(time), 0) << out.All();
}

TEST_F(PanelsFlow, LeavingTheRoomHidesThePanelAndGivesTheChatItsPlaceBack) {
    const std::string shot = Shot("panel-left.png");
    const HostOutput out = RunHost(kLogin + "join 1003 4\n" + kSettle +
                                   "echo joined\ndump\nleave\ndump\nscreenshot " + shot + "\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(out.Count("roomrow: "), 0u) << out.All();
    const auto room = out.LastDump("room: list=");
    ASSERT_EQ(room.size(), 1u);
    EXPECT_EQ(room[0], "room: list=0 list-visible=0 list-top=0 list-bottom=0 chat-top=34 "
                       "button1150=0 button1151=0 button1153=0");
}

TEST_F(PanelsFlow, AfterARestartTheStoredListIsUsedUntilTheFileChanges) {
    const std::string script = kLogin + "join 1003 4\n" + kSettle + "dump\n";
    HostOutput out = RunHost(script);
    ASSERT_EQ(out.exitCode, 0) << out.All();
    ASSERT_EQ(RoomColumn(out, 0).size(), 3u) << out.All();
    // Same time, but a body that is no list: only the stored list can fill the panel now.
    server.Serve(kEuropePath, FileReply("not a server list", kOld));
    out = RunHost(script);
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(Sorted(RoomColumn(out, 0)),
              (std::vector<std::string>{"Harbor Docks", "Harbor Gate", "Harbor Vault"}))
        << out.All();
    // A newer file is downloaded and replaces the stored list.
    server.Serve(kEuropePath, FileReply(Pack({"127.0.1.1:28015"}), kNew));
    out = RunHost(script);
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(RoomColumn(out, 0), std::vector<std::string>{"Harbor Docks"}) << out.All();
    EXPECT_EQ(server.Requests().size(), 3u);
}

size_t CountLog(const HostOutput& out, const std::string& prefix) {
    size_t n = 0;
    for (const auto& line : out.LastDump("log: "))
        n += line.rfind("log: " + prefix, 0) == 0;
    return n;
}

TEST_F(PanelsFlow, ADoubleClickJoinsARowAskingForThePasswordOfAPasswordServer) {
    // By name: Docks, Gate, then Vault, which needs a password.
    const HostOutput out = RunHost(kLogin + "join 1003 4\n" + kSettle +
                                   "room header 0\necho sorted\ndump\nanswer cancel\n"
                                   "room dblclick 2\nanswer secret\nroom dblclick 2\n"
                                   "room dblclick 0\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(RoomColumn(out, 0),
              (std::vector<std::string>{"Harbor Docks", "Harbor Gate", "Harbor Vault"}))
        << out.All();
    // Asked twice for Vault (cancelled, then answered); Docks joins without asking. The two
    // joins went down the launch road.
    EXPECT_EQ(CountLog(out, "dialog: "), 2u) << out.All();
    EXPECT_EQ(CountLog(out, "debug: Tessel: launch: no executable for game 1003"), 2u) << out.All();
}

// A buddy on Harbor Docks (127.0.1.1:28015, game 1003): key 5, one type-7 entry.
const std::string kBuddyOnDocks = "protocol 7 05000000eb030101007f6f6d\nwait ms 1500\n";

TEST_F(PanelsFlow, ABuddysServerIsShownAndADoubleClickJoinsIt) {
    const std::string shot = Shot("panel-buddy.png");
    const HostOutput out = RunHost(kLogin + kBuddyOnDocks + "echo shown\ndump\nscreenshot " + shot +
                                   "\nbuddy 0\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    const auto buddies = out.LastDump("buddy: ");
    ASSERT_EQ(buddies.size(), 1u) << out.All();
    EXPECT_EQ(buddies[0], "buddy: 0 key=5 selected=1 \"buddy 5: game 1003 Harbor Docks\"");
    // The plug-in took the join down its launch road; the host's own join did not run.
    EXPECT_FALSE(HasLog(out, "HostJoinBuddy")) << out.All();
    EXPECT_EQ(CountLog(out, "debug: Tessel: launch: no executable for game 1003"), 1u) << out.All();
    EXPECT_FALSE(out.Has("error: screenshot " + shot));
}

TEST_F(PanelsFlow, JoiningABuddyOnAPasswordServerAsksForThePassword) {
    // Key 6 on Harbor Vault (127.0.1.1:28016); its answer brings the password flag.
    const HostOutput out = RunHost(kLogin + "protocol 7 06000000eb030101007f706d\nwait ms 1500\n"
                                            "answer cancel\nbuddy 0\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(
        out.LastDump("buddy: "),
        std::vector<std::string>{"buddy: 0 key=6 selected=1 \"buddy 6: game 1003 Harbor Vault\""})
        << out.All();
    EXPECT_EQ(CountLog(out, "dialog: "), 1u) << out.All();
    // Cancelled: nothing is launched, and the host's own join does not run either.
    EXPECT_EQ(CountLog(out, "HostJoinBuddy"), 0u) << out.All();
}

// Takes the buddy-selection library out of the host's dlls folder for one flow.
class WithoutOutrider : public PanelsFlow {
protected:
    void SetUp() override {
        PanelsFlow::SetUp();
        ASSERT_TRUE(MoveFileW(library.c_str(), away.c_str()));
    }
    void TearDown() override {
        MoveFileW(away.c_str(), library.c_str());
        PanelsFlow::TearDown();
    }
    const std::wstring library = Utils::WideFromUtf8(Folder() + "dlls\\Outrider.dll");
    const std::wstring away = library + L".away";
};

TEST_F(WithoutOutrider, TheBuddyJoinIsLeftToTheHostAndTheLogSaysWhy) {
    const HostOutput out = RunHost(kLogin + kBuddyOnDocks + "buddy 0\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(HasLog(out, "HostJoinBuddy 5")) << out.All();
    EXPECT_TRUE(HasLog(out, "debug: Tessel: buddy join: Outrider.dll")) << out.All();
}

} // namespace
} // namespace Portico::E2e
