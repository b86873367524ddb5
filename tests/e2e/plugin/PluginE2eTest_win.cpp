// The plug-in loaded by the stand-in host under Wine, driven by script.
#include "HostRun.h"

#include "utils/SocketShim.h"
#include "utils/SocketStartup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace Portico::E2e {
namespace {

size_t CountLog(const HostOutput& out, const std::string& prefix) {
    return out.Count("log: " + prefix);
}

TEST(PluginLoad, RegistersSixHandlersInOrderAndAnnouncesItself) {
    const HostOutput out = RunHost("load\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    const auto log = out.LastDump("log: ");
    const std::vector<std::string> expected{
        "log: RegisterEventHandler OnAuthOK",       "log: RegisterEventHandler OnCateItemClick",
        "log: RegisterEventHandler OnMeJoinRoom",   "log: RegisterEventHandler OnMeLeaveRoom",
        "log: RegisterEventHandler OnAppExit",      "log: RegisterEventHandler OnUnknownProtocol",
        "log: QueryService com.lumora.service.dep", "log: AddDependency com.lumora.portico"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(out.Has("browser: count=0 visible=0 controls=0")) << out.All();
}

TEST(PluginLogin, FillsTheGameListFromTheCatalogue) {
    const HostOutput out = RunHost("set language de\nload\nlogin\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    const std::vector<std::string> expected{"gamelist: category 6 \"Portico      \"",
                                            "gamelist: item 6 1 \"Harbor Assault\" icon=yes",
                                            "gamelist: item 6 2 \"Frontier Ops\" icon=yes",
                                            "gamelist: item 6 3 \"Valley Siege\" icon=yes",
                                            "gamelist: item 6 4 \"Arena Eclipse\" icon=yes"};
    EXPECT_EQ(out.LastDump("gamelist: "), expected) << out.All();
    EXPECT_EQ(CountLog(out, "SendProtocolMessage 4 0"), 1u);
}

TEST(PluginLogin, EmptyGameListGivesCategoryNoItemsAndOneHiddenBrowser) {
    const HostOutput out = RunHost("set language empty\nload\nlogin\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(out.LastDump("gamelist: "),
              std::vector<std::string>{"gamelist: category 6 \"Portico      \""});
    EXPECT_EQ(out.LastDump("browser: ").at(0).rfind("browser: count=1 visible=0", 0), 0u)
        << out.All();
    EXPECT_EQ(CountLog(out, "AddCategoryItem"), 0u);
    EXPECT_EQ(out.LastDump("hook: ").at(0).rfind("hook: present=1 browser=1", 0), 0u) << out.All();
}

TEST(PluginLogin, SecondLoginKeepsOneBrowserAndOneMappingAndDoesNotDouble) {
    const HostOutput out = RunHost("load\nlogin\nlogin\ndump\nclick 4\nclick 5\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(CountLog(out, "AddGameCategory 6"), 2u);
    EXPECT_EQ(CountLog(out, "AddCategoryItem 6 4 "), 2u);
    EXPECT_EQ(CountLog(out, "AddCategoryItem 6 5 "), 0u);
    EXPECT_EQ(CountLog(out, "FindHostView CChatRoomView found"), 2u);
    // The click on a game shows the one browser window.
    EXPECT_EQ(out.LastDump("browser: ").at(0).rfind("browser: count=1 visible=1", 0), 0u)
        << out.All();
    EXPECT_EQ(out.LastDump("hook: ").at(0).rfind("hook: present=1 browser=1", 0), 0u);
    // The catalogue still counts four games: item 4 selects the last, item 5 nothing.
    EXPECT_EQ(CountLog(out, "SelectGame"), 1u) << out.All();
    EXPECT_EQ(CountLog(out, "SelectGame 1010"), 1u);
}

TEST(PluginEvents, ItemClickAtCountSelectsAndBeyondIsIgnored) {
    // With an empty catalogue the count is 0: item 0 selects game 0, item 1 does nothing.
    const HostOutput out =
        RunHost("set language empty\nload\nlogin\nclick 1\ndump\nclick 0\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(CountLog(out, "SelectGame"), 1u) << out.All();
    EXPECT_EQ(CountLog(out, "SelectGame 0"), 1u);
    size_t firstDumpSelects = 0;
    for (const auto& line : out.lines) {
        if (line == "> click 0")
            break;
        firstDumpSelects += line.rfind("log: SelectGame", 0) == 0;
    }
    EXPECT_EQ(firstDumpSelects, 0u);
}

TEST(PluginEvents, UserClickOnAGameRowSelectsItsGame) {
    const HostOutput out = RunHost("load\nlogin\nrow 2\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(CountLog(out, "SelectGame 1028"), 1u) << out.All();
}

TEST(PluginEvents, JoinOfACatalogueGameOpensThePanelAndOfAnUnknownGameNot) {
    HostOutput out = RunHost("load\nlogin\njoin 4242 1\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("room: info-visible=1")) << out.All();
    out = RunHost("load\nlogin\njoin 1005 12\ndump\nleave\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("room: info-visible=0")) << out.All();
}

TEST(PluginEvents, AppExitBeforeLoginIsHarmless) {
    const HostOutput out = RunHost("load\nexit\ndump\n");
    EXPECT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("browser: count=0 visible=0 controls=0"));
    EXPECT_TRUE(out.Has("hook: present=0"));
}

TEST(PluginEvents, AppExitDestroysTheBrowser) {
    const HostOutput out = RunHost("load\nlogin\nexit\ndump\n");
    EXPECT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("browser: count=0 visible=0 controls=0")) << out.All();
}

TEST(PluginEvents, TheModuleUnloadsAfterExitAndWithoutIt) {
    // The query engine's threads run from login on: "OnAppExit" ends them, and the module
    // can go. Without it the module stays loaded, with its threads, until the process ends.
    HostOutput out = RunHost("load\nlogin\nexit\nunload\ndump\n");
    EXPECT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("unloaded: freed=1 gone=1")) << out.All();
    out = RunHost("load\nlogin\nunload\ndump\n");
    EXPECT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("unloaded: freed=1 gone=0")) << out.All();
}

TEST(PluginRelay, UnknownProtocolMessagesReachTheBuddyList) {
    const HostOutput out =
        RunHost("load\nlogin\n"
                "protocol 4 0000\n"                         // count 0: nothing
                "protocol 7 07000000eb0300000000876a\n"     // address 0: cleared
                "protocol 7 2a000000eb030100007f8769\n"     // on a server: game, no name
                "protocol 4 010009000000dc0402000a7f8869\n" // one buddy: game, empty name
                "protocol 9 2a000000eb030100007f8769\n"     // other types: ignored
                "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    const auto buddies = out.LastDump("log: SetBuddyInfo");
    const std::vector<std::string> expected{"log: SetBuddyInfo 7 0 (null)",
                                            "log: SetBuddyInfo 42 1003 (null)",
                                            "log: SetBuddyInfo 9 1244 \"\""};
    EXPECT_EQ(buddies, expected) << out.All();
}

TEST(PluginLogin, OnlyLevelsOneToNineAndHundredOfferTheRemoteConsole) {
    for (int level : {0, 9, 10, 99, 100, 101}) {
        const HostOutput out =
            RunHost("set level " + std::to_string(level) + "\nload\nlogin\ndump\n");
        ASSERT_EQ(out.exitCode, 0) << out.All();
        // The browser's server menu is built when its window is made, after the level is read.
        EXPECT_EQ(CountLog(out, "TranslateDialog 2001"), 1u) << level;
        EXPECT_EQ(CountLog(out, "GetMenuText 2304"), 1u) << level;
        const bool allowed = level == 9 || level == 100;
        EXPECT_EQ(CountLog(out, "GetMenuText 2308"), allowed ? 1u : 0u) << level;
    }
}

TEST(PluginGameList, SelectingTheCategoryShowsTheEnglishPageWhenTheLanguageHasNone) {
    const HostOutput out =
        RunHost("set language de\ncategory 6\nload\nlogin\ncategory 3\ncategory 6\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    const auto navigations = out.LastDump("log: Navigate ");
    ASSERT_EQ(navigations.size(), 1u) << out.All();
    const std::string page = "\\web\\portico.en.html";
    EXPECT_EQ(navigations[0].substr(navigations[0].size() - page.size()), page);
    // The host's own handling ran first, every time.
    EXPECT_EQ(CountLog(out, "CategorySelected 6"), 2u);
    EXPECT_EQ(CountLog(out, "CategorySelected 3"), 1u);
    EXPECT_TRUE(out.Has("web: references-held=0")) << out.All();
}

TEST(PluginGameList, BadgeIsDrawnOnTheCategoryRowOnly) {
    const HostOutput out = RunHost("load\nlogin\nwait ms 300\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    const std::vector<std::string> expected{"paint: category 6 prepaint=4 postpaint=0 badge=1",
                                            "paint: item 1 prepaint=0 postpaint=0 badge=0",
                                            "paint: item 2 prepaint=0 postpaint=0 badge=0",
                                            "paint: item 3 prepaint=0 postpaint=0 badge=0",
                                            "paint: item 4 prepaint=0 postpaint=0 badge=0"};
    EXPECT_EQ(out.LastDump("paint: "), expected) << out.All();
}

std::string HookLine(const std::string& user) {
    const HostOutput out = RunHost("set user " + user + "\nload\nlogin\ndump\n");
    const auto hook = out.LastDump("hook: ");
    return hook.empty() ? std::string() : hook[0];
}

std::string HookBytes(const std::string& line) {
    const size_t at = line.find("bytes=");
    return at == std::string::npos ? std::string() : line.substr(at + 6);
}

// The block's byte rules are the hook block's unit tests; here the host's user name reaches it.
TEST(PluginHook, TheUsersNameFillsTheBlockInUtf8CutAtACharacterBoundary) {
    // Seven three-byte letters (21 bytes): six fit, then two zero bytes.
    std::string name, six;
    for (int i = 0; i < 7; ++i)
        name += "\xE6\x97\xA5";
    for (int i = 0; i < 6; ++i)
        six += "e697a5";
    const std::string line = HookLine(name);
    EXPECT_NE(line.find("browser=1"), std::string::npos) << line;
    EXPECT_EQ(HookBytes(line).substr(8), six + "0000") << line;
}

TEST(PluginScreenshot, HostAfterLoginShowsTheCategoryAndGames) {
    const std::string shot = PORTICO_E2E_SCREENSHOT;
    const HostOutput out =
        RunHost("set address 127.0.1.5\nload\nlogin\nprotocol 4 01002a000000eb030100007f8769\n"
                "category 6\nwait ms 300\nscreenshot " +
                shot + "\n");
    EXPECT_EQ(out.exitCode, 0) << out.All();
    EXPECT_FALSE(out.Has("error: screenshot " + shot)) << out.All();
}

TEST(HostDriver, BrowserCommandsRefuseControlsAndItemsTheBrowserLacks) {
    const HostOutput out = RunHost("tab 0\nload\nlogin\n"
                                   "tab 9\ncombo 10000 99\ncombo 4242 0\ntree No such node\n"
                                   "header 99\nselect 999\nselect x\ndblclick 999\nrclick 999\n"
                                   "button 4242\nmenu 0\n"
                                   "wait text 10001 Search\nbutton 10007\ndump\n");
    EXPECT_EQ(out.exitCode, 1) << out.All();
    for (const char* refused :
         {"tab 0", "tab 9", "combo 10000 99", "combo 4242 0", "tree No such node", "header 99",
          "select 999", "select x", "dblclick 999", "rclick 999", "button 4242", "menu 0"})
        EXPECT_TRUE(out.Has(std::string("error: ") + refused)) << refused << "\n" << out.All();
    EXPECT_FALSE(out.Has("error: wait text 10001 Search")) << out.All();
    EXPECT_FALSE(out.Has("error: button 10007")) << out.All();
    EXPECT_TRUE(out.Has("browser-button 10001 enabled=1 \"Search\"")) << out.All();
    EXPECT_EQ(out.Count("browser-tab: "), 1u);
    EXPECT_EQ(out.Count("browser-ping: "), 1u);
    EXPECT_EQ(out.Count("browser-button "), 3u);
    EXPECT_EQ(out.Count("browser-title: "), 1u);
}

TEST(HostDriver, ListenerWritesEveryDatagramToTheHostLog) {
    Utils::SocketStartup winsock;
    namespace Shim = Utils::SocketShim;
    const Shim::Handle sender = Shim::OpenDatagram();
    ASSERT_NE(sender, Shim::kNoSocket);
    // The host opens its port some time after it starts: send until it ran, at most 400 times.
    std::atomic<bool> done{false};
    std::thread sending([&] {
        const uint8_t report[] = {0xE0, 0xEB, 0x03, 0xC0, 0x00};
        for (int i = 0; i < 400 && !done; ++i) {
            Shim::SendTo(sender, report, sizeof(report), 0x7F000001, 24133);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    const HostOutput out =
        RunHost("listen 24133\nlisten 24133\nlisten 0\nwait log report:\ndump\n");
    done = true;
    sending.join();
    Shim::CloseSocket(sender);
    EXPECT_TRUE(out.Has("error: listen 24133")) << "a port is had once";
    EXPECT_TRUE(out.Has("error: listen 0"));
    EXPECT_FALSE(out.Has("error: wait log report:")) << out.All();
    const auto reports = out.LastDump("log: report: ");
    ASSERT_FALSE(reports.empty()) << out.All();
    for (const auto& line : reports)
        EXPECT_EQ(line, "log: report: e0eb03c000");
}

} // namespace
} // namespace Portico::E2e
