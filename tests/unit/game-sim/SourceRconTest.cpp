// The Source RCON framer and session of the simulated TCP consoles.
#include "SourceRcon.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

using SimTest::Le32;

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

TEST(SourceRconSession, CommandBeforeLoginOrGarbageEndsTheConnection) {
    const RconConsole console("secret", {});
    SimBytes out;
    SourceRconSession early(console);
    const std::string command = EncodeSourceRcon(1, SourceRconType::kCommand, "status");
    EXPECT_FALSE(early.Feed(command.data(), command.size(), out));
    SourceRconSession garbage(console);
    const std::string junk = Le32(100000) + "junk";
    EXPECT_FALSE(garbage.Feed(junk.data(), junk.size(), out));
    // A closing console logs the client in, then hangs up at its command.
    SourceRconSession closing(console, SimRconFault::Close);
    const std::string login = EncodeSourceRcon(1, SourceRconType::kAuth, "secret");
    EXPECT_TRUE(closing.Feed(login.data(), login.size(), out));
    EXPECT_FALSE(closing.Feed(command.data(), command.size(), out));
}

TEST(RconConsole, CannedOutputByLineThenFirstWord) {
    const RconConsole console("pw",
                              {{"status", "S\n"}, {"kick Bo", "Bo kicked\n"}, {"kick", "K\n"}});
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
