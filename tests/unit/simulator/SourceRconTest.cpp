// The Source RCON framer and session of the simulated TCP consoles.
#include "SimTestSupport.h"
#include "SourceRcon.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

using SimTest::Le32;

std::vector<SourceRconPacket> Packets(const std::string& stream) {
    SourceRconFramer framer;
    framer.Append(stream.data(), stream.size());
    std::vector<SourceRconPacket> packets;
    SourceRconPacket packet;
    while (framer.Next(packet) == SourceRconFramer::Result::Packet)
        packets.push_back(packet);
    return packets;
}

TEST(SourceRconFramer, CutsPacketsFromAnyPieces) {
    const std::string stream = EncodeSourceRcon(1, 3, "pw") + EncodeSourceRcon(2, 2, "status");
    SourceRconFramer framer;
    SourceRconPacket packet;
    std::vector<SourceRconPacket> packets;
    for (char c : stream) { // one byte at a time
        framer.Append(&c, 1);
        while (framer.Next(packet) == SourceRconFramer::Result::Packet)
            packets.push_back(packet);
    }
    ASSERT_EQ(2u, packets.size());
    EXPECT_EQ(1, packets[0].id);
    EXPECT_EQ(3, packets[0].type);
    EXPECT_EQ("pw", packets[0].body);
    EXPECT_EQ("status", packets[1].body);
    EXPECT_EQ(SourceRconFramer::Result::NeedMore, framer.Next(packet));
}

TEST(SourceRconFramer, RefusesSizesOutsideTheLayoutForGood) {
    for (uint32_t size : {0u, 9u, 4097u, 0xFFFFFFFFu}) {
        SourceRconFramer framer;
        const std::string bytes = Le32(size) + std::string(16, '\0');
        framer.Append(bytes.data(), bytes.size());
        SourceRconPacket packet;
        EXPECT_EQ(SourceRconFramer::Result::Malformed, framer.Next(packet)) << size;
        const std::string good = EncodeSourceRcon(1, 2, "x");
        framer.Append(good.data(), good.size());
        EXPECT_EQ(SourceRconFramer::Result::Malformed, framer.Next(packet)) << size;
    }
    // A body without its NUL.
    SourceRconFramer framer;
    const std::string noNul = Le32(10) + Le32(1) + Le32(2) + "ab";
    framer.Append(noNul.data(), noNul.size());
    SourceRconPacket packet;
    EXPECT_EQ(SourceRconFramer::Result::Malformed, framer.Next(packet));
}

TEST(SourceRconSession, LoginThenCommandsWithLongOutput) {
    const RconConsole console("secret", {{"cvarlist", std::string(9000, 'c')}});
    SourceRconSession session(console);
    SimBytes out;
    const std::string wrong = EncodeSourceRcon(5, SourceRconType::kAuth, "nope");
    ASSERT_TRUE(session.Feed(wrong.data(), wrong.size(), out));
    auto packets = Packets(out);
    ASSERT_EQ(2u, packets.size());
    EXPECT_EQ(SourceRconType::kResponseValue, packets[0].type);
    EXPECT_EQ(5, packets[0].id);
    EXPECT_EQ("", packets[0].body);
    EXPECT_EQ(SourceRconType::kAuthResponse, packets[1].type);
    EXPECT_EQ(-1, packets[1].id);

    out.clear();
    const std::string login = EncodeSourceRcon(6, SourceRconType::kAuth, "secret");
    ASSERT_TRUE(session.Feed(login.data(), login.size(), out));
    packets = Packets(out);
    ASSERT_EQ(2u, packets.size());
    EXPECT_EQ(6, packets[1].id);

    out.clear();
    const std::string command = EncodeSourceRcon(7, SourceRconType::kCommand, "cvarlist") +
                                EncodeSourceRcon(8, SourceRconType::kResponseValue, "");
    ASSERT_TRUE(session.Feed(command.data(), command.size(), out));
    packets = Packets(out);
    ASSERT_EQ(4u, packets.size()); // 4000 + 4000 + 1000 bytes, then the mirrored end marker
    std::string output;
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(7, packets[i].id);
        EXPECT_EQ(SourceRconType::kResponseValue, packets[i].type);
        output += packets[i].body;
    }
    EXPECT_EQ(std::string(9000, 'c'), output);
    EXPECT_EQ(8, packets[3].id);
    EXPECT_EQ("", packets[3].body);
}

TEST(SourceRconSession, CommandBeforeLoginOrGarbageEndsTheConnection) {
    const RconConsole console("secret", {});
    SimBytes out;
    SourceRconSession early(console);
    const std::string command = EncodeSourceRcon(1, SourceRconType::kCommand, "status");
    EXPECT_FALSE(early.Feed(command.data(), command.size(), out));
    SourceRconSession garbage(console);
    const std::string junk = Le32(100000) + "junk";
    EXPECT_FALSE(garbage.Feed(junk.data(), junk.size(), out));
}

TEST(RconConsole, CannedOutputByLineThenFirstWord) {
    const RconConsole console("pw", {{"status", "S\n"}, {"kick Bo", "Bo kicked\n"}, {"kick", "K\n"}});
    EXPECT_TRUE(console.Accepts("pw"));
    EXPECT_FALSE(console.Accepts("PW"));
    EXPECT_FALSE(RconConsole("", {}).Accepts(""));
    EXPECT_EQ("S\n", console.Run("  status  "));
    EXPECT_EQ("Bo kicked\n", console.Run("kick Bo"));
    EXPECT_EQ("K\n", console.Run("kick Ann"));
    EXPECT_EQ("a b\n", console.Run("echo a b"));
    EXPECT_EQ("Unknown command \"map\"\n", console.Run("map x"));
}

} // namespace
} // namespace Portico
