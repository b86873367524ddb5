#include "ResultTable.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Portico;

namespace {

ServerResult Result(uint32_t ip, uint8_t status, uint64_t time, const char16_t* name) {
    ServerResult result{};
    ServerRecord& r = result.record;
    r.ip = ip;
    r.port = 27015;
    r.gameId = 1003;
    r.status = status;
    r.time = time;
    r.countryCode[0] = 'D';
    r.countryCode[1] = 'E';
    std::memcpy(r.info.name, name, std::char_traits<char16_t>::length(name) * 2);
    std::strcpy(r.info.map, "de_dust2");
    std::strcpy(r.info.gameType, "cstrike");
    r.info.players = 3;
    r.info.maxPlayers = 16;
    return result;
}

std::string Time(uint16_t, uint32_t t) {
    return std::to_string(t) + "s";
}

} // namespace

TEST(ResultTable, SortedByPingWithUnansweredLast) {
    std::vector<ServerResult> results = {Result(1, kStatusSent, 999, u"late"),
                                         Result(2, kStatusReplied, 40, u"b"),
                                         Result(3, kStatusReplied, 7, u"a")};
    SortByPing(results);
    EXPECT_EQ(results[0].record.ip, 3u);
    EXPECT_EQ(results[1].record.ip, 2u);
    EXPECT_EQ(results[2].record.ip, 1u);
    const std::string table = FormatTable(results, false, false, Time);
    EXPECT_NE(table.find("7 ms"), std::string::npos);
    EXPECT_NE(table.find("N/A"), std::string::npos);
    EXPECT_NE(table.find("3/16"), std::string::npos);
    EXPECT_NE(table.find("0.0.0.1:27015"), std::string::npos);
}

TEST(ResultTable, ColourCodesBecomeTerminalColoursOrVanish) {
    std::vector<ServerResult> results = {Result(1, kStatusReplied, 5, u"^1Red^7Wh")};
    EXPECT_NE(FormatTable(results, false, true, Time).find("RedWh"), std::string::npos);
    const std::string coloured = FormatTable(results, true, false, Time);
    EXPECT_NE(coloured.find("\x1b[31mRed\x1b[37mWh\x1b[0m"), std::string::npos);
}

TEST(ResultTable, JsonEscapesAndMarksUnanswered) {
    std::vector<ServerResult> results = {Result(1, kStatusSent, 0, u"q\"uote\\"),
                                         Result(2, kStatusReplied, 12, u"^2ok")};
    std::strcpy(results[0].record.info.map, "bad\xff\x01");
    const std::string json = FormatJson(results, true);
    EXPECT_NE(json.find("\"name\": \"q\\\"uote\\\\\""), std::string::npos);
    EXPECT_NE(json.find("\"ping\": null"), std::string::npos);
    EXPECT_NE(json.find("\"ping\": 12"), std::string::npos);
    EXPECT_NE(json.find("\"rawName\": \"^2ok\""), std::string::npos);
    EXPECT_NE(json.find("bad\xEF\xBF\xBD\\u0001"), std::string::npos); // malformed bytes replaced
    EXPECT_NE(json.find("\"playerList\": []"), std::string::npos);
}

TEST(ResultTable, PlayerTimesAreNamedForWhatTheyHoldInTheGame) {
    std::vector<ServerResult> results = {Result(1, kStatusReplied, 5, u"a"),
                                         Result(2, kStatusReplied, 6, u"b")};
    results[1].record.gameId = 1010;
    results[0].players.push_back(PlayerEntry{3, 3723, "ann"});
    results[1].players.push_back(PlayerEntry{4, 48, "bob"});
    const std::string json = FormatJson(results, true);
    EXPECT_NE(json.find("{\"name\": \"ann\", \"score\": 3, \"seconds\": 3723}"), std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"bob\", \"score\": 4, \"ping\": 48}"), std::string::npos);
    EXPECT_EQ(json.find("\"time\""), std::string::npos);
}

TEST(ResultTable, OneResultPerAddressTheAnsweredOne) {
    std::vector<ServerResult> results = {Result(1, kStatusSent, 900, u"asked"),
                                         Result(2, kStatusReplied, 6, u"b"),
                                         Result(1, kStatusReplied, 9, u"answered")};
    results[2].record.gameId = 1005;
    KeepOnePerAddress(results);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].record.ip, 1u);
    EXPECT_EQ(results[0].record.status, kStatusReplied);
    EXPECT_EQ(results[0].record.gameId, 1005);
}
