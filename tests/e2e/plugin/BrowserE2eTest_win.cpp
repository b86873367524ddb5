// The browser window's flows in the stand-in host under Wine, as a user drives them, against
// the simulated servers of data/browser-servers.sim (started by with-simulator).
#include "HostRun.h"

#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Portico::E2e {
namespace {

// The partner servers in Germany: the user's own region is Western Europe.
const std::vector<std::string> kGermanByName{"Harbor Docks", "Harbor Far", "Harbor Gate",
                                             "Harbor Vault"};
const std::string kStart = "set account 77\nset address 127.0.1.5\nlisten 24132\nload\nlogin\n";
// Harbor Assault (game 1003), then the first Refresh and its answers.
const std::string kRefreshed = kStart + "click 1\nbutton 10001\nwait rows 4\nwait ms 300\n";

// Column c of every row of the last dump.
std::vector<std::string> Column(const HostOutput& out, size_t c) {
    std::vector<std::string> texts;
    for (const auto& row : out.LastDump("row: ")) {
        const auto fields = Fields(row);
        texts.push_back(c < fields.size() ? fields[c] : std::string());
    }
    return texts;
}

// Column c of the rows that the dump right after "echo mark" printed.
std::vector<std::string> ColumnAt(const HostOutput& out, const std::string& mark, size_t c) {
    std::vector<std::string> texts;
    bool inside = false;
    for (const auto& line : out.lines) {
        if (line.rfind("> ", 0) == 0 && line != "> dump")
            inside = line == "> echo " + mark;
        else if (inside && line.rfind("row: ", 0) == 0)
            texts.push_back(Fields(line).at(c));
    }
    return texts;
}

int Milliseconds(const std::string& time) {
    return time.find(" ms") == std::string::npos ? -1 : std::stoi(time);
}

std::string Shot(const char* name) {
    return std::string(PORTICO_E2E_SHOTS) + "/" + name;
}

// Every flow starts without a user store.
void ForgetUserStore() {
    const std::wstring store =
        Utils::WideFromUtf8(Utils::ExecutableFolder()) + L"user\\77\\fps.dat";
    DeleteFileW(store.c_str());
}

class BrowserFlow : public testing::Test {
protected:
    void SetUp() override { ForgetUserStore(); }
};

TEST_F(BrowserFlow, RefreshListsTheUsersRegionByPingAndTheButtonComesBack) {
    const std::string shot = Shot("browser-refresh.png");
    const HostOutput out = RunHost(kStart +
                                   "click 1\nwait ms 300\ndump\nbutton 10001\ndump\n"
                                   "wait rows 4\nwait ms 5500\ndump\nscreenshot " +
                                   shot + " browser\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    // Shown by the click, the user's region node first and selected, with Germany below it.
    const auto tree = out.LastDump("tree: ");
    ASSERT_GE(tree.size(), 2u) << out.All();
    EXPECT_EQ(tree[0], "tree: 0 \"Western Europe\" data=0xc0 selected=1 expanded=0") << out.All();
    EXPECT_EQ(Fields(tree[1]), std::vector<std::string>{"Germany"});
    EXPECT_TRUE(out.Has("browser-button 10001 enabled=0 \"Search\"")) << out.All();
    // The German servers, in the order of their round trips (as measured: a loaded machine
    // may swap two that answer a few ms apart).
    auto names = Column(out, 1);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, kGermanByName) << out.All();
    int last = 0;
    for (const auto& time : Column(out, 5)) {
        EXPECT_GE(Milliseconds(time), last) << time;
        last = Milliseconds(time);
    }
    EXPECT_EQ(Column(out, 0), std::vector<std::string>(4, "DE"));
    // After 5 s the button is back; the one refresh sent one area report of Western Europe.
    EXPECT_TRUE(out.Has("browser-button 10001 enabled=1 \"Search\"")) << out.All();
    EXPECT_EQ(out.Count("log: report: "), 1u) << out.All();
    EXPECT_TRUE(out.Has("log: report: e0eb03c000")) << out.All();
    EXPECT_FALSE(out.Has("error: screenshot " + shot + " browser"));
}

TEST_F(BrowserFlow, SortPingLimitAndCountrySelection) {
    const HostOutput out =
        RunHost(kRefreshed + "header 1\necho by-name\ndump\nheader 1\necho turned\ndump\n"
                             "combo 10000 2\nwait ms 500\necho limited\ndump\nwait ms 5000\n"
                             "tree United States\nbutton 10001\nwait rows 2\nwait ms 500\n"
                             "dump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(ColumnAt(out, "by-name", 1), kGermanByName) << out.All();
    // The second click on the same header turns the order round; the limit drops the far one.
    EXPECT_EQ(ColumnAt(out, "turned", 1), (std::vector<std::string>{"Harbor Vault", "Harbor Gate",
                                                                    "Harbor Far", "Harbor Docks"}));
    auto limited = ColumnAt(out, "limited", 1);
    std::sort(limited.begin(), limited.end());
    EXPECT_EQ(limited, (std::vector<std::string>{"Harbor Docks", "Harbor Gate", "Harbor Vault"}))
        << out.All();
    EXPECT_EQ(Column(out, 1), (std::vector<std::string>{"Harbor Bay", "Harbor Pier"})) << out.All();
    EXPECT_EQ(Column(out, 0), (std::vector<std::string>{"US", "US"}));
    EXPECT_TRUE(out.Has("log: report: e0eb0300005355")) << out.All();
}

TEST_F(BrowserFlow, FavouritesAreKeptAcrossARestart) {
    const std::string shot = Shot("browser-favourites.png");
    HostOutput out = RunHost(kRefreshed +
                             "select 0 1\nbutton 10008\ntab 1\nwait rows 2\nwait ms 300\n"
                             "echo added\ndump\nselect 0\nmenu 2307\nrclick 0\nwait ms 300\n"
                             "screenshot " +
                             shot + " browser\ndump\ntab 0\ntree United States\ntab 1\nexit\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_EQ(ColumnAt(out, "added", 1), (std::vector<std::string>{"Harbor Docks", "Harbor Vault"}))
        << out.All();
    EXPECT_TRUE(out.Has("log: TrackSkinPopupMenu 2304,2307,0,2306")) << out.All();
    const auto kept = Column(out, 1);
    ASSERT_EQ(kept.size(), 1u) << out.All();

    // The tab, the tree's selection and the favourites come back.
    out = RunHost(kStart + "click 1\nwait rows 1\nwait ms 300\ndump\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("browser-tab: 1")) << out.All();
    EXPECT_EQ(Column(out, 1), kept) << out.All();
    bool unitedStatesSelected = false;
    for (const auto& node : out.LastDump("tree: "))
        unitedStatesSelected |= Fields(node) == std::vector<std::string>{"United States"} &&
                                node.find("selected=1") != std::string::npos;
    EXPECT_TRUE(unitedStatesSelected) << out.All();
}

TEST_F(BrowserFlow, AddByAddressRefusesBadTextAndKeepsAGoodServer) {
    HostOutput out = RunHost(kStart + "click 4\ntab 1\n"
                                      "answer no-colon\nanswer ok\nbutton 10008\n"
                                      "answer 127.0.4.1:0\nanswer ok\nbutton 10008\n"
                                      "answer cancel\nbutton 10008\n"
                                      "answer 127.0.4.1:27960\nbutton 10008\n"
                                      "wait rows 1\nwait ms 1500\ndump\nexit\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    EXPECT_TRUE(out.Has("log: dialog: \"Portico\" \"Type the address as host:port.\""))
        << out.All();
    EXPECT_TRUE(out.Has("log: dialog: \"Portico\" \"That address cannot be used.\""));
    // The refused text is offered again.
    EXPECT_TRUE(out.Has("log: dialog: \"New Address\" \"127.0.4.1:0\"")) << out.All();
    EXPECT_EQ(Column(out, 1), std::vector<std::string>{"^1Red ^7White ^4Arena"}) << out.All();
    EXPECT_EQ(Column(out, 0), std::vector<std::string>{"FR"});

    // It answered, so it is a favourite: the next start shows it in the favourites tab.
    out = RunHost(kStart + "click 4\nwait rows 1\ndump\n");
    EXPECT_TRUE(out.Has("browser-tab: 1")) << out.All();
    EXPECT_EQ(Column(out, 1), std::vector<std::string>{"^1Red ^7White ^4Arena"}) << out.All();
}

TEST_F(BrowserFlow, FocusedRowListsItsPlayers) {
    const std::string shot = Shot("browser-players.png");
    const HostOutput out = RunHost(kRefreshed +
                                   "select 1\nwait players 2\nwait ms 300\ndump\n"
                                   "screenshot " +
                                   shot + " browser\n");
    ASSERT_EQ(out.exitCode, 0) << out.All();
    std::vector<std::string> names;
    for (const auto& player : out.LastDump("player: "))
        names.push_back(Fields(player).at(0));
    EXPECT_EQ(names, (std::vector<std::string>{"Moth", "Rook"})) << out.All();
}

} // namespace
} // namespace Portico::E2e
