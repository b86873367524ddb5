// The join road in the stand-in host under Wine, as a user drives it: a double click in the
// browser starts the test game with the game's command line, the game-side hook reports the
// server, and the game's end reaches the buddy relay. The servers are those of
// data/launch-servers.sim (started by with-simulator).
#include "HostRun.h"

#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace Portico::E2e {
namespace {

const std::string kBin = Utils::ExecutableFolder(); // with its trailing backslash
const std::string kGameLog = kBin + "launch-e2e-game.log";
const std::string kStart = "set account 77\nset address 127.0.1.5\nlisten 24141\nload\nlogin\n";
// Harbor Assault (game 1003) refreshed: Harbor Docks in row 0, Harbor Vault (password) in row 1.
const std::string kBrowse = "click 1\nbutton 10001\nwait rows 2\nwait ms 300\n";
// The relay tells the buddies that the user plays nowhere: the game has ended.
const std::string kNowhere = "SendProtocolMessage 7 8 0000000000000000";
const std::string kGameEnded = "wait log " + kNowhere + "\nwait ms 1000\n";
const char kHarborKey[] = "Software\\Portico Demo\\Harbor Assault";

std::wstring Wide(const std::string& text) {
    return Utils::WideFromUtf8(text);
}

// A copy of the test game under a game's own file name, below the host's folder.
std::string PlaceGame(const std::string& relative) {
    const std::string path = kBin + relative;
    for (size_t at = path.find('\\', kBin.size()); at != std::string::npos;
         at = path.find('\\', at + 1))
        CreateDirectoryW(Wide(path.substr(0, at)).c_str(), nullptr);
    CopyFileW(Wide(kBin + "testgame.exe").c_str(), Wide(path).c_str(), FALSE);
    return path;
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

std::vector<std::string> GameLog() {
    std::ifstream file(Wide(kGameLog).c_str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// The value of the game log's lines that start with "key: ".
std::vector<std::string> GameLines(const std::string& key) {
    std::vector<std::string> values;
    for (const auto& line : GameLog())
        if (line.rfind(key + ": ", 0) == 0)
            values.push_back(line.substr(key.size() + 2));
    return values;
}

size_t IndexOf(const HostOutput& out, const std::string& line) {
    return size_t(std::find(out.lines.begin(), out.lines.end(), line) - out.lines.begin());
}

std::string Shot(const char* name) {
    return std::string(PORTICO_E2E_SHOTS) + "/" + name;
}

void SetInstallPath(const std::string& folder) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, Wide(kHarborKey).c_str(), L"InstallPath", REG_SZ,
                    Wide(folder).c_str(), DWORD((Wide(folder).size() + 1) * sizeof(wchar_t)));
}

void ForgetInstallPath() {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(kHarborKey).c_str());
}

void ForgetUserStore() {
    DeleteFileW(Wide(kBin + "user\\77\\fps.dat").c_str());
}

class LaunchFlow : public testing::Test {
protected:
    void SetUp() override {
        ForgetUserStore();
        ForgetInstallPath();
        DeleteFileW(Wide(kGameLog).c_str());
        SetEnvironmentVariableW(L"PORTICO_TESTGAME_LOG", Wide(kGameLog).c_str());
        // Partners and a report port of these flows' own.
        SetEnvironmentVariableW(L"PORTICO_PARTNER_HOSTS",
                                L"127.0.1.41,127.0.1.42,127.0.2.41,127.0.2.42,127.0.3.41");
        SetEnvironmentVariableW(L"PORTICO_REPORT_HOST", L"127.0.0.1:24141");
        harbor = PlaceGame("games\\harbor\\harbor.exe");
    }
    void TearDown() override { ForgetInstallPath(); }

    // The host with Harbor Assault's executable and parameters.
    std::string HarborHost() const {
        return kStart + "game-path 1003 " + harbor + "\ngame-params 1003 -windowed\n";
    }

    std::string harbor;
};

TEST_F(LaunchFlow, ADoubleClickStartsTheGameWhichReportsItsServerUntilItEnds) {
    const HostOutput out =
        RunHost(HarborHost() + kBrowse +
                "dblclick 0\nwait log SendProtocolMessage 7 8 eb03\n"
                "screenshot " +
                Shot("launch-joined.png") + " browser\n" + kGameEnded + "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    // The exact command line, from the executable's folder, with the hook inside.
    EXPECT_EQ(GameLines("command"),
              std::vector<std::string>{harbor +
                                       " -game harbor -novid -windowed +connect 127.0.1.41:27015"})
        << out.All();
    EXPECT_EQ(GameLines("folder"), std::vector<std::string>{Folder(harbor)});
    EXPECT_EQ(GameLines("hook"), std::vector<std::string>{"1"});
    EXPECT_EQ(GameLines("sent"), std::vector<std::string>{"127.0.1.41:27015"});
    ASSERT_EQ(GameLines("reply").size(), 1u);
    EXPECT_NE(GameLines("reply")[0], "none") << out.All();
    EXPECT_EQ(GameLog().back(), "exit");
    // The host saw the whole road.
    EXPECT_TRUE(out.Has("log: GetGameLaunchInfo 1003 \"" + harbor + "\" \"-windowed\""));
    EXPECT_TRUE(out.Has("log: RaiseEvent OnBeforeLaunchGame kind=1 game=1003 executable=\"" +
                        harbor + "\" parameters=\"-windowed\" proceed=1"))
        << out.All();
    const std::vector<std::string> pid = GameLines("start");
    ASSERT_EQ(pid.size(), 1u);
    EXPECT_TRUE(out.Has("log: RaiseEvent OnAfterLaunchGame game=1003 process=yes pid=" + pid[0]))
        << out.All();
    EXPECT_EQ(out.Count("log: RequestGameSetup"), 0u);
    // One play report, the relay's announcement of the server, then of no server, once.
    EXPECT_EQ(out.Count("log: report: e8"), 1u) << out.All();
    EXPECT_TRUE(out.Has("log: report: e8eb03012901007f8769")) << out.All();
    const size_t server = IndexOf(out, "log: SendProtocolMessage 7 8 eb032901007f8769");
    const size_t nowhere = IndexOf(out, "log: " + kNowhere);
    EXPECT_LT(server, nowhere) << out.All();
    EXPECT_LT(nowhere, out.lines.size());
    EXPECT_EQ(out.Count("log: " + kNowhere), 1u);
    EXPECT_FALSE(out.Has("error: screenshot " + Shot("launch-joined.png") + " browser"));
}

TEST_F(LaunchFlow, AGameThatMovesToAnotherServerByItselfIsFollowedToTheBuddies) {
    // The game's own traffic goes to Harbor Vault after its command line joined Harbor Docks.
    const HostOutput out =
        RunHost(kStart + "game-path 1003 " + harbor +
                "\ngame-params 1003 -windowed +play 127.0.1.41:27016 +stay 2000\n" + kBrowse +
                "dblclick 0\nwait log SendProtocolMessage 7 8 eb032901007f8869\nscreenshot " +
                Shot("launch-moved.png") + " browser\n" + kGameEnded + "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(GameLines("played"), std::vector<std::string>{"100 datagrams to 127.0.1.41:27016"})
        << out.All();
    // A play report and an announcement for each server, in the order played, then nowhere.
    EXPECT_EQ(out.Count("log: report: e8"), 2u) << out.All();
    EXPECT_TRUE(out.Has("log: report: e8eb03012901007f8869")) << out.All();
    const size_t docks = IndexOf(out, "log: SendProtocolMessage 7 8 eb032901007f8769");
    const size_t vault = IndexOf(out, "log: SendProtocolMessage 7 8 eb032901007f8869");
    const size_t nowhere = IndexOf(out, "log: " + kNowhere);
    EXPECT_LT(docks, vault) << out.All();
    EXPECT_LT(vault, nowhere) << out.All();
    EXPECT_LT(nowhere, out.lines.size());
    EXPECT_EQ(out.Count("log: " + kNowhere), 1u);
}

TEST_F(LaunchFlow, APasswordServerAsksAndStartsWithThePasswordOrNotAtAll) {
    const HostOutput out =
        RunHost(HarborHost() + kBrowse + "answer s3cret\ndblclick 1\n" + kGameEnded +
                "answer cancel\ndblclick 1\nwait ms 1500\n" + "screenshot " +
                Shot("launch-password.png") + " browser\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(GameLines("command"),
              std::vector<std::string>{harbor + " -game harbor -novid -windowed +connect "
                                                "127.0.1.41:27016 +password s3cret"})
        << out.All();
    EXPECT_EQ(GameLines("password"), std::vector<std::string>{"s3cret"});
    // The cancelled dialog started nothing: the host was asked for the game once.
    EXPECT_EQ(out.Count("log: GetGameLaunchInfo 1003"), 1u) << out.All();
    EXPECT_EQ(out.Count("log: RaiseEvent OnAfterLaunchGame"), 1u);
}

TEST_F(LaunchFlow, Game1028JoinsOnTheAnnouncedGamePortOrElseTheQueryPort) {
    const std::string frontier = PlaceGame("games\\frontier\\frontier.exe");
    const auto join = [&](const std::string& address, const char* shot) {
        ForgetUserStore();
        return RunHost(kStart + "game-path 1028 " + frontier + "\nclick 2\ntab 1\nanswer " +
                       address + "\nbutton 10008\nwait rows 1\nwait ms 1000\ndblclick 0\n" +
                       kGameEnded + "screenshot " + Shot(shot) + " browser\ndump\n");
    };
    HostOutput out = join("127.0.4.42:27016", "launch-1028-game-port.png");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(GameLines("command"),
              std::vector<std::string>{frontier + " -game frontier -novid -console  "
                                                  "+connect 127.0.4.42:27116"})
        << out.All();
    ASSERT_EQ(GameLines("reply").size(), 1u);
    EXPECT_NE(GameLines("reply")[0], "none") << out.All();
    EXPECT_TRUE(out.Has("log: report: e80404012a04007fec69")) << out.All();
    EXPECT_TRUE(out.Has("log: SendProtocolMessage 7 8 04042a04007fec69")) << out.All();

    DeleteFileW(Wide(kGameLog).c_str());
    out = join("127.0.4.43:27016", "launch-1028-query-port.png");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(GameLines("command"),
              std::vector<std::string>{frontier + " -game frontier -novid -console  "
                                                  "+connect 127.0.4.43:27016"})
        << out.All();
}

TEST_F(LaunchFlow, AMissingExecutableIsFoundInTheRegistryOrAfterTheHostsSetup) {
    const std::string installed = PlaceGame("games\\registry\\harbor.exe");
    SetInstallPath(Folder(installed));
    const std::string missing = kBin + "games\\missing\\harbor.exe";
    HostOutput out =
        RunHost(kStart + "game-path 1003 " + missing + "\n" + kBrowse + "dblclick 0\n" +
                kGameEnded + "screenshot " + Shot("launch-registry.png") + " browser\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(
        GameLines("command"),
        std::vector<std::string>{installed + " -game harbor -novid  +connect 127.0.1.41:27015"})
        << out.All();
    EXPECT_EQ(GameLines("folder"), std::vector<std::string>{Folder(installed)});
    EXPECT_EQ(out.Count("log: RequestGameSetup"), 0u);

    // Nowhere to be found: the host's setup is asked and nothing starts, until a setup
    // installs the game.
    ForgetInstallPath();
    DeleteFileW(Wide(kGameLog).c_str());
    out = RunHost(kStart + "game-path 1003 " + missing + "\n" + kBrowse +
                  "dblclick 0\nwait ms 1000\necho nothing\ndump\ngame-setup 1003 " + harbor +
                  "\ndblclick 0\n" + kGameEnded + "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    const size_t nothing = IndexOf(out, "> echo nothing");
    ASSERT_LT(nothing, out.lines.size()) << out.All();
    std::vector<std::string> firstTry(out.lines.begin() + nothing, out.lines.end());
    firstTry.resize(std::find(firstTry.begin() + 1, firstTry.end(), "> game-setup 1003 " + harbor) -
                    firstTry.begin());
    const auto count = [&](const std::string& prefix) {
        return std::count_if(firstTry.begin(), firstTry.end(),
                             [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count("log: GetGameLaunchInfo 1003 \"" + missing + "\""), 2) << out.All();
    EXPECT_EQ(count("log: RequestGameSetup 1003"), 1);
    EXPECT_EQ(count("log: RaiseEvent OnBeforeLaunchGame"), 0);
    EXPECT_EQ(GameLines("command"),
              std::vector<std::string>{harbor + " -game harbor -novid  +connect 127.0.1.41:27015"})
        << out.All();
}

TEST_F(LaunchFlow, ABeforeLaunchHandlerRewritesThePathOrCancels) {
    const std::string other = PlaceGame("games\\other\\other.exe");
    HostOutput out =
        RunHost(HarborHost() + "before-launch rewrite " + other + "\n" + kBrowse + "dblclick 0\n" +
                kGameEnded + "screenshot " + Shot("launch-rewritten.png") + " browser\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(GameLines("command"),
              std::vector<std::string>{other +
                                       " -game harbor -novid -windowed +connect 127.0.1.41:27015"})
        << out.All();
    EXPECT_EQ(GameLines("folder"), std::vector<std::string>{Folder(other)});

    DeleteFileW(Wide(kGameLog).c_str());
    out = RunHost(HarborHost() + "before-launch cancel\n" + kBrowse +
                  "dblclick 0\nwait ms 2000\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("log: before-launch handler: cancelled")) << out.All();
    EXPECT_EQ(out.Count("log: RaiseEvent OnAfterLaunchGame"), 0u);
    EXPECT_TRUE(GameLog().empty()) << out.All();
}

TEST_F(LaunchFlow, WithoutTheInjectionLibraryTheGameRunsWithoutTheHook) {
    const std::wstring infuser = Wide(kBin + "Infuser.dll");
    const std::wstring away = Wide(kBin + "Infuser.dll.away");
    ASSERT_TRUE(MoveFileExW(infuser.c_str(), away.c_str(), MOVEFILE_REPLACE_EXISTING));
    const HostOutput out = RunHost(HarborHost() + kBrowse + "dblclick 0\n" + kGameEnded +
                                   "screenshot " + Shot("launch-no-hook.png") + " browser\ndump\n");
    MoveFileExW(away.c_str(), infuser.c_str(), MOVEFILE_REPLACE_EXISTING);
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(GameLines("hook"), std::vector<std::string>{"0"}) << out.All();
    EXPECT_EQ(GameLog().back(), "exit");
    // Only the watcher spoke: no play report, no server announced, the game's end once.
    EXPECT_EQ(out.Count("log: report: e8"), 0u) << out.All();
    EXPECT_EQ(out.Count("log: SendProtocolMessage 7 8 eb03"), 0u);
    EXPECT_EQ(out.Count("log: " + kNowhere), 1u);
}

} // namespace
} // namespace Portico::E2e
