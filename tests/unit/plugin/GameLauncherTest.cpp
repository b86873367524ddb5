#include "plugin/GameLauncher.h"
#include "LaunchFakes.h"
#include "PorticoManager.h"
#include "common/Messages.h"
#include "common/PluginState.h"
#include "plugin/LaunchCommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Portico {
namespace {

using Test::RecordingWindow;
using Test::ScriptedLaunchSystem;
using testing::ElementsAre;
using testing::IsEmpty;

ProtocolManager* RealProtocols() {
    static PorticoManager manager;
    return &manager;
}

Test::RecipeProtocols& Recipes() {
    static Test::RecipeProtocols manager;
    return manager;
}

ProtocolManager* RecipeManager() {
    return &Recipes();
}

const std::u16string kHarbor = u"C:\\Games\\Harbor\\harbor.exe";
constexpr ServerAddress kServer{(127u << 24) | (1u << 8) | 1, 27015, 1003};
const std::string kLine = "C:\\Games\\Harbor\\harbor.exe -game harbor -novid -windowed "
                          "+connect 127.0.1.1:27015";

class GameLauncherTest : public testing::Test {
protected:
    GameLauncherTest() { Prepare(); }

    void Prepare() {
        system = ScriptedLaunchSystem();
        state.currentGame = 1003;
        system.launchInfo[1003] = {kHarbor, u"-windowed"};
        system.files.insert(kHarbor);
        Recipes().protocol.hasLocation = true;
    }

    void Launch(const ServerAddress& address = kServer, const std::u16string* password = nullptr) {
        GameLauncher(system, state, &RealProtocols).Launch(address, password);
    }
    void LaunchRecipe(const std::u16string* password = nullptr) {
        GameLauncher(system, state, &RecipeManager).Launch(ServerAddress{1, 2, 7}, password);
    }
    std::string Line() const { return Portico::Test::Utf8(system.line); }
    bool Started() const { return !system.watches.empty(); }

    PluginState state;
    ScriptedLaunchSystem system;
};

TEST_F(GameLauncherTest, FoundAtOnceStartsWithTheWholeRoadInOrder) {
    Launch();
    EXPECT_THAT(system.calls,
                ElementsAre("GetGameLaunchInfo 1003", "FileExists C:\\Games\\Harbor\\harbor.exe",
                            "RaiseEvent OnBeforeLaunchGame", "StartSuspended", "InjectHook 4660",
                            "RaiseEvent OnAfterLaunchGame", "Resume 22136", "Watch 4660"));
    EXPECT_EQ(Line(), kLine);
    EXPECT_EQ(system.startFolder, u"C:\\Games\\Harbor");
    EXPECT_EQ(system.before.kindAndGame, 0x000103EBu);
    EXPECT_EQ(system.before.proceed, 1u);
    EXPECT_EQ(system.after.gameId, 1003u);
    EXPECT_EQ(system.after.process, 0x1234u);
    EXPECT_EQ(system.after.processId, 4242u);
    EXPECT_THAT(system.notes, IsEmpty());
}

TEST_F(GameLauncherTest, Game1028GetsItsOwnRecipe) {
    system.launchInfo[1028] = {kHarbor, u""};
    Launch(ServerAddress{kServer.ip, 27999, 1028});
    EXPECT_EQ(Line(), "C:\\Games\\Harbor\\harbor.exe -game frontier -novid -console  "
                      "+connect 127.0.1.1:27999");
}

TEST_F(GameLauncherTest, AMissingExecutableIsLookedUpInTheRegistry) {
    system.files.clear();
    const std::string key = "2147483650 Software\\Portico Demo\\Harbor Assault InstallPath";
    system.registry[key] = u"D:\\Harbor";
    system.files.insert(u"D:\\Harbor\\harbor.exe");
    Launch();
    EXPECT_THAT(std::vector<std::string>(system.calls.begin(), system.calls.begin() + 5),
                ElementsAre("GetGameLaunchInfo 1003", "FileExists C:\\Games\\Harbor\\harbor.exe",
                            "ReadRegistryText " + key, "FileExists D:\\Harbor\\harbor.exe",
                            "RaiseEvent OnBeforeLaunchGame"));
    EXPECT_EQ(Line(), "D:\\Harbor\\harbor.exe -game harbor -novid -windowed "
                      "+connect 127.0.1.1:27015");
    EXPECT_EQ(system.startFolder, u"D:\\Harbor");
}

// The browser may show another game than the one joined (a chat room's or a buddy's server).
TEST_F(GameLauncherTest, StillMissingAsksTheHostsSetupForTheLaunchedGameAndTriesOnce) {
    system.files.clear();
    state.currentGame = 1005;
    Launch();
    EXPECT_THAT(std::vector<std::string>(system.calls.begin() + 2, system.calls.end()),
                ElementsAre(testing::StartsWith("ReadRegistryText 2147483650"),
                            "RequestGameSetup 1003", "GetGameLaunchInfo 1003",
                            "FileExists C:\\Games\\Harbor\\harbor.exe"));
    EXPECT_FALSE(Started());
    EXPECT_THAT(system.notes, ElementsAre("no executable for game 1003"));

    // The setup installed the game where the host now says it is.
    system.setupInstalls = u"E:\\harbor.exe";
    system.files.insert(u"E:\\harbor.exe");
    Launch();
    EXPECT_TRUE(Started());
    EXPECT_EQ(system.startFolder, u"E:\\");
}

TEST_F(GameLauncherTest, ARegistryPathTooLongForTheBufferCountsAsNotFound) {
    system.files.clear();
    const std::u16string folder(kLaunchPathChars - 9, u'x'); // + "\game.exe" = 260 characters
    system.registry["1 Key Value"] = folder;
    system.files.insert(folder + u"\\game.exe");
    system.launchInfo[7] = {u"", u""};
    LaunchRecipe();
    EXPECT_FALSE(Started());
    EXPECT_EQ(system.calls.back(), "FileExists ");

    system.registry["1 Key Value"] = folder.substr(1);
    system.files.insert(folder.substr(1) + u"\\game.exe");
    LaunchRecipe();
    EXPECT_TRUE(Started());
}

TEST_F(GameLauncherTest, WithoutAnInstallLocationTheSetupIsAskedAtOnce) {
    Recipes().protocol.hasLocation = false;
    LaunchRecipe();
    EXPECT_THAT(system.calls,
                ElementsAre("GetGameLaunchInfo 7", "FileExists ", "RequestGameSetup 7",
                            "GetGameLaunchInfo 7", "FileExists "));
}

TEST_F(GameLauncherTest, TheBeforeLaunchHandlerMayRewriteThePath) {
    system.beforeHandler = [](BeforeLaunchRecord& record) {
        EXPECT_EQ(std::u16string(record.executable), kHarbor);
        EXPECT_EQ(std::u16string(record.parameters), u"-windowed");
        Utils::Utf::CopyToField(record.executable, kLaunchPathChars, u"F:\\Other\\other.exe");
        Utils::Utf::CopyToField(record.parameters, kLaunchPathChars, u"-safe");
    };
    Launch();
    EXPECT_EQ(Line(), "F:\\Other\\other.exe -game harbor -novid -safe +connect 127.0.1.1:27015");
    EXPECT_EQ(system.startFolder, u"F:\\Other");
}

TEST_F(GameLauncherTest, TextsWithoutTerminatorAreReadNoFurtherThanTheirBuffers) {
    const std::u16string full(kLaunchPathChars, u'p');
    system.launchInfo[1003] = {kHarbor, full};
    system.beforeHandler = [](BeforeLaunchRecord& record) {
        for (char16_t& c : record.executable)
            c = u'e';
    };
    Launch();
    const std::u16string expected = std::u16string(kLaunchPathChars, u'e') +
                                    u" -game harbor -novid " + full + u" +connect 127.0.1.1:27015";
    EXPECT_EQ(system.line, expected);
}

TEST_F(GameLauncherTest, WithoutTheEventManagerTheLaunchGoesOnWithoutEvents) {
    system.eventManager = false;
    Launch();
    EXPECT_THAT(system.calls,
                ElementsAre("GetGameLaunchInfo 1003", testing::StartsWith("File"), "StartSuspended",
                            "InjectHook 4660", "Resume 22136", "Watch 4660"));
}

TEST_F(GameLauncherTest, AFailedStepEndsTheRoadThereOrIsNotedAndPassed) {
    const std::u16string tooLong(kCommandLineChars, u'p');
    // clang-format off
    const struct {
        const char* name;
        bool cancel, longLine, startFails, injectFails, watchFails;
        const char* lastCall;
        const char* note; // "" for none
        uint32_t afterProcessId, runningGame;
    } cases[] = {
        {"cancelled before the launch", 1, 0, 0, 0, 0, "RaiseEvent OnBeforeLaunchGame", "", 0, 5},
        {"a line too long", 0, 1, 0, 0, 0, "RaiseEvent OnBeforeLaunchGame",
         "command line longer than 1023 characters: not started", 0, 5},
        {"no process", 0, 0, 1, 0, 0, "StartSuspended", "the game of 1003 could not be started", 0, 5},
        {"no hook: still started and watched", 0, 0, 0, 1, 0, "Watch 4660",
         "the game of 1003 runs without the hook", 4242, 1003},
        {"unwatched: the running game is left alone", 0, 0, 0, 0, 1, "Watch 4660",
         "the game of 1003 runs unwatched", 4242, 5},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare();
        state.runningGame = 5;
        if (c.cancel)
            system.beforeHandler = [](BeforeLaunchRecord& record) { record.proceed = 0; };
        system.startFails = c.startFails;
        system.injectFails = c.injectFails;
        system.watchFails = c.watchFails;
        Launch(kServer, c.longLine ? &tooLong : nullptr);
        EXPECT_EQ(system.calls.back(), c.lastCall);
        EXPECT_EQ(system.notes,
                  *c.note ? std::vector<std::string>{c.note} : std::vector<std::string>{});
        EXPECT_EQ(system.after.processId, c.afterProcessId);
        EXPECT_EQ(state.runningGame, c.runningGame);
    }
}

TEST_F(GameLauncherTest, NoRecipeForTheGameAsksTheHostNothing) {
    Launch(ServerAddress{kServer.ip, kServer.port, 4711});
    EXPECT_THAT(system.calls, IsEmpty());
    EXPECT_THAT(system.notes, ElementsAre("no launch recipe for game 4711"));
    GameLauncher(system, state, nullptr).Launch(kServer, nullptr);
    EXPECT_THAT(system.calls, IsEmpty());
}

TEST_F(GameLauncherTest, TheLastWatchToBeginSetsTheRunningGameAndTheFirstToEndClearsIt) {
    Launch();
    EXPECT_EQ(state.runningGame, 1003u);
    // The launched game, whichever game the browser shows.
    state.currentGame = 1005;
    system.launchInfo[1028] = {kHarbor, u""};
    Launch(ServerAddress{kServer.ip, 27016, 1028});
    EXPECT_EQ(state.runningGame, 1028u);
    ASSERT_EQ(system.watches.size(), 2u);

    RecordingWindow browser;
    system.watches[0].End(browser);
    EXPECT_EQ(state.runningGame, 0u);
    ASSERT_EQ(browser.Messages().size(), 1u);
    EXPECT_EQ(browser.Messages()[0].message, kMsgGameServer);
    EXPECT_EQ(browser.Messages()[0].wParam, 0u);
    EXPECT_EQ(browser.Messages()[0].lParam, 0);
    system.watches[1].End(browser);
    EXPECT_EQ(state.runningGame, 0u);
    EXPECT_EQ(browser.Count(kMsgGameServer), 2u);
}

} // namespace
} // namespace Portico
