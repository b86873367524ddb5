// Paging through masters, the requests they are sent, and what the tool reads of answers.
#include "MasterPager.h"
#include "AnsweringGames.h"
#include "FakeQueryContext.h"
#include "MasterProtocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Portico;

namespace {

std::string Text(const ByteOutStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

std::vector<ServerAddress> Page(uint32_t first, uint32_t count) {
    std::vector<ServerAddress> page;
    for (uint32_t i = 0; i < count; ++i)
        page.push_back(ServerAddress{0x7F000000 + first + i, 27015, 1003});
    return page;
}

PagingLimits Limits() {
    PagingLimits limits;
    limits.pagePauseMs = 100;
    limits.answerMs = 1000;
    limits.timeLimitMs = 60000;
    return limits;
}

} // namespace

TEST(MasterProtocol, RequestsForValveAndQuakeMasters) {
    ByteOutStream valve;
    BuildMasterRequest(1028, ServerAddress{0x7F000102, 27016, 0}, "\\gamedir\\frontier", valve);
    EXPECT_EQ(Text(valve), std::string("\x31\xFF"
                                       "127.0.1.2:27016\0\\gamedir\\frontier\0",
                                       36));
    ByteOutStream quake;
    BuildMasterRequest(1010, ServerAddress{0, 0, 0}, "", quake);
    EXPECT_EQ(Text(quake), "\xFF\xFF\xFF\xFFgetservers 68 full empty");

    const std::string head("\xFF\xFF\xFF\xFF\x66\x0A", 6);
    const std::string entry("\x7F\x00\x00\x01\x69\x87", 6), end(6, '\0');
    const auto ends = [](const std::string& d) {
        return EndsValveList(reinterpret_cast<const unsigned char*>(d.data()), uint32_t(d.size()));
    };
    EXPECT_TRUE(ends(head + entry + end));
    EXPECT_TRUE(ends(head + end));
    EXPECT_FALSE(ends(head + entry));
    EXPECT_FALSE(ends(head + entry + end + "x")); // not whole entries
    EXPECT_FALSE(ends(std::string(4, '\xFF') + "getserversResponse" + end));
}

TEST(MasterPager, ValvePagesFollowTheSeedOneAtATimeAfterAPause) {
    MasterPager pager(1003, "\\gamedir\\harbor", Limits());
    ByteOutStream request;
    ASSERT_TRUE(pager.Due(1000, request));
    EXPECT_NE(Text(request).find(std::string("0.0.0.0:0\0\\gamedir\\harbor", 25)),
              std::string::npos);
    EXPECT_FALSE(pager.Due(1050, request)); // one request in flight
    const std::vector<ServerAddress> first = Page(1, 200);
    pager.Arrived(first.data(), 200, false, 1060);
    EXPECT_FALSE(pager.Due(1100, request)); // the pause
    ByteOutStream next;
    ASSERT_TRUE(pager.Due(1160, next));
    EXPECT_NE(Text(next).find("127.0.0.200:27015"), std::string::npos); // the last of the page
    const std::vector<ServerAddress> last = Page(201, 50);
    pager.Arrived(last.data(), 50, true, 1200);
    EXPECT_TRUE(pager.Done());
    EXPECT_EQ(pager.Outcome(), "end of list");
    EXPECT_EQ(pager.Servers(), 250u);
    EXPECT_EQ(pager.Pages(), 2u);
    ByteOutStream none;
    EXPECT_FALSE(pager.Due(5000, none));
}

TEST(MasterPager, PagingEnds) {
    ByteOutStream request;
    const std::vector<ServerAddress> page = Page(1, 231);
    // An empty page.
    MasterPager empty(1003, "", Limits());
    empty.Due(0, request);
    empty.Arrived(nullptr, 0, true, 10);
    EXPECT_EQ(empty.Outcome(), "end of list");
    // The same page again is a late copy (the next one is still awaited), or a master stuck
    // on it, which would be asked for ever.
    MasterPager repeating(1003, "", Limits());
    repeating.Due(0, request);
    repeating.Arrived(page.data(), 231, false, 10);
    repeating.Due(200, request);
    repeating.Arrived(page.data(), 231, false, 210);
    EXPECT_FALSE(repeating.Done());
    EXPECT_EQ(repeating.Servers(), 231u);
    EXPECT_TRUE(repeating.Due(1200, request)); // asked once more
    repeating.Arrived(page.data(), 231, false, 1210);
    EXPECT_FALSE(repeating.Due(2200, request));
    EXPECT_EQ(repeating.Outcome(), "the master repeats its page");
    // The server limit.
    PagingLimits few = Limits();
    few.maxServers = 400;
    MasterPager bounded(1003, "", few);
    bounded.Due(0, request);
    bounded.Arrived(page.data(), 231, false, 10);
    EXPECT_FALSE(bounded.Done());
    const std::vector<ServerAddress> more = Page(300, 231);
    bounded.Due(200, request);
    bounded.Arrived(more.data(), 231, false, 210);
    EXPECT_EQ(bounded.Outcome(), "server limit");
    // A master that answers neither the request nor its repeat.
    MasterPager silent(1003, "", Limits());
    ASSERT_TRUE(silent.Due(0, request));
    EXPECT_FALSE(silent.Due(999, request));
    EXPECT_TRUE(silent.Due(1000, request)); // asked once more
    EXPECT_FALSE(silent.Due(2000, request));
    EXPECT_EQ(silent.Outcome(), "no answer");
}

TEST(MasterPager, AQuakeMasterAnswersOneRequestInManyDatagrams) {
    MasterPager pager(1010, "", Limits());
    ByteOutStream request;
    ASSERT_TRUE(pager.Due(0, request));
    const std::vector<ServerAddress> part = Page(1, 190);
    pager.Arrived(part.data(), 190, false, 10);
    pager.Arrived(part.data(), 190, false, 20);
    EXPECT_FALSE(pager.Due(20 + MasterPager::kQuietMs - 1, request));
    EXPECT_FALSE(pager.Done());
    EXPECT_FALSE(pager.Due(20 + MasterPager::kQuietMs, request));
    EXPECT_EQ(pager.Outcome(), "end of list");
    EXPECT_EQ(pager.Servers(), 380u);
}

// A fake library files an info answer under (1005, 1003): the server answered as 1005.
TEST(AnsweringGames, LabelsEachServerAndFilesItUnderTheBrowsedGame) {
    Portico::Test::FakeProtocols library;
    library.parse = [](ByteInStream&, const ServerAddress& address, auto*, ServerInfo* info, auto*,
                       bool*, Utils::ArrayT<uint32_t>& games) {
        info->maxPlayers = address.port == 1 ? 8 : 0;
        games.Append(1005);
        games.Append(address.port == 1 ? 1003 : 1028);
    };
    AnsweringGames games;
    games.Attach(&library);
    const auto parse = [&](uint16_t port, uint16_t browsed) {
        ByteInStream datagram(reinterpret_cast<const unsigned char*>("x"), 1);
        Utils::ArrayT<ServerAddress> further;
        ServerInfo info{};
        PlayerList players;
        bool followUp = false;
        const Utils::ArrayT<uint32_t>* ids =
            games.ParseReply(datagram, ServerAddress{0x7F000001, port, browsed}, &further, &info,
                             &players, &followUp);
        return std::vector<uint32_t>(ids->Data(), ids->Data() + ids->Size());
    };
    EXPECT_EQ(parse(1, 1003), (std::vector<uint32_t>{1005, 1003}));
    EXPECT_EQ(parse(1, 1010), (std::vector<uint32_t>{1005, 1003, 1010}));
    EXPECT_EQ(games.GameOf(0x7F000001, 1), 1005);
    // No server information: nothing is labelled or added.
    EXPECT_EQ(parse(2, 1010), (std::vector<uint32_t>{1005, 1028}));
    EXPECT_EQ(games.GameOf(0x7F000001, 2), 0);
}
