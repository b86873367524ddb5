#include "CommandLineWords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Portico {
namespace {

using Words = std::vector<std::u16string>;

TEST(CommandLineWords, BlanksSeparateAndQuotesJoin) {
    EXPECT_EQ(SplitCommandLine(u"  \"C:\\Program Files\\g.exe\" -game  harbor\t+password \"a b\""),
              (Words{u"C:\\Program Files\\g.exe", u"-game", u"harbor", u"+password", u"a b"}));
    EXPECT_EQ(SplitCommandLine(u"g.exe \"\" x\"y z\""), (Words{u"g.exe", u"", u"xy z"}));
    EXPECT_EQ(SplitCommandLine(u""), Words{});
}

TEST(CommandLineWords, ALineBeyondTheBoundsIsReadOnlyUpToThem) {
    std::u16string many;
    for (size_t i = 0; i < kMaxWords + 10; ++i)
        many += u"w ";
    EXPECT_EQ(SplitCommandLine(many).size(), kMaxWords);
    const std::u16string huge(kMaxChars + 100, u'x');
    const Words words = SplitCommandLine(huge);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].size(), kMaxChars);
}

TEST(CommandLineWords, TheConnectTargetIsTheFirstConnectWithADottedAddressAndAPort) {
    uint32_t ip = 0;
    uint16_t port = 0;
    ASSERT_TRUE(FindConnectTarget(SplitCommandLine(u"g.exe -x +CONNECT 127.0.1.1:27015 +connect "
                                                   u"127.0.0.9:1"),
                                  ip, port));
    EXPECT_EQ(ip, 0x7F000101u);
    EXPECT_EQ(port, 27015);
    for (const char16_t* line :
         {u"g.exe +connect", u"g.exe +connect 127.0.1.1", u"g.exe +connect 127.0.1.1:0",
          u"g.exe +connect 127.0.1.1:65536", u"g.exe +connect host.invalid:27015",
          u"g.exe +connect 127.0.1.1:27015x", u"g.exe +connect \u0661.0.0.1:27015",
          u"g.exe connect 127.0.1.1:27015"})
        EXPECT_FALSE(FindConnectTarget(SplitCommandLine(line), ip, port));
}

TEST(CommandLineWords, TheWordAfterANameIgnoresCase) {
    std::u16string word;
    ASSERT_TRUE(WordAfter(SplitCommandLine(u"g.exe +Password s3cret"), u"+password", word));
    EXPECT_EQ(word, u"s3cret");
    EXPECT_FALSE(WordAfter(SplitCommandLine(u"g.exe +password"), u"+password", word));
}

} // namespace
} // namespace Portico
