#include "QuakeStatusParser.h"

#include <gtest/gtest.h>

#include <string>

using namespace Portico;

namespace {

const std::string kStatus =
    "\n\\sv_hostname\\^1Red ^7Arena\\mapname\\q3dm17\\sv_maxclients\\16\\g_gametype\\4"
    "\\g_needpass\\1\\version\\ioq3 1.36\n"
    "12 48 \"^2Sarge\"\n"
    "-1 0 \"Bot Major\"\n"
    "3 999 \"Lagged\" 2\n";

} // namespace

TEST(QuakeStatus, InfoStringAndPlayerLines) {
    ServerInfo info{};
    Utils::ArrayT<PlayerEntry> players;
    ASSERT_TRUE(QuakeStatusParser::Parse(kStatus, 27960, info, &players));
    EXPECT_EQ(std::u16string(info.name), u"^1Red ^7Arena"); // colour codes are kept
    EXPECT_STREQ(info.map, "q3dm17");
    EXPECT_STREQ(info.gameType, "CTF");
    EXPECT_EQ(info.maxPlayers, 16);
    EXPECT_EQ(info.needPass, 1);
    EXPECT_EQ(info.players, 3);
    EXPECT_EQ(info.connectPort, 27960);
    ASSERT_EQ(players.Size(), 3u);
    EXPECT_STREQ(players[0].name, "^2Sarge");
    EXPECT_EQ(players[0].score, 12);
    EXPECT_EQ(players[0].time, 48u);
    EXPECT_EQ(players[1].score, -1);
    EXPECT_STREQ(players[2].name, "Lagged"); // fields after the name are left alone
    EXPECT_EQ(players[2].time, 999u);
}

TEST(QuakeStatus, MalformedLinesAreNotPlayers) {
    const std::string text = "\n\\sv_maxclients\\8\n"
                             "1 2 noquotes\n"
                             "x 2 \"Letters\"\n"
                             "4 5 \"Unclosed\n"
                             "\r\n"
                             "6 -7 \"Fine\"\r\n"
                             "8";
    ServerInfo info{};
    Utils::ArrayT<PlayerEntry> players;
    ASSERT_TRUE(QuakeStatusParser::Parse(text, 27960, info, &players));
    EXPECT_EQ(info.players, 1);
    ASSERT_EQ(players.Size(), 1u);
    EXPECT_STREQ(players[0].name, "Fine");
    EXPECT_EQ(players[0].time, 0u); // a negative ping reads as 0
}

TEST(QuakeStatus, MissingLineFeedIsBadMissingKeysStayEmpty) {
    ServerInfo info{};
    EXPECT_FALSE(QuakeStatusParser::Parse("\\sv_hostname\\x\n", 27960, info, nullptr));
    EXPECT_FALSE(QuakeStatusParser::Parse("", 27960, info, nullptr));
    ASSERT_TRUE(QuakeStatusParser::Parse("\n\\mapname", 27960, info, nullptr));
    EXPECT_EQ(info.maxPlayers, 0); // no sv_maxclients: no server information
    EXPECT_STREQ(info.map, "");
}

TEST(QuakeStatus, NumbersAreClampedAndPlayersCapped) {
    std::string text = "\n\\sv_maxclients\\99999999999\\SV_HOSTNAME\\Big\\g_gametype\\12\n";
    for (int i = 0; i < 400; ++i)
        text += "1 1 \"p\"\n";
    ServerInfo info{};
    Utils::ArrayT<PlayerEntry> players;
    ASSERT_TRUE(QuakeStatusParser::Parse(text, 27960, info, &players));
    EXPECT_EQ(info.maxPlayers, 255);
    EXPECT_EQ(info.players, 255);
    EXPECT_EQ(players.Size(), 255u);
    EXPECT_EQ(std::u16string(info.name), u"Big"); // keys match in any case
    EXPECT_STREQ(info.gameType, "12");            // unknown modes show their number
}
