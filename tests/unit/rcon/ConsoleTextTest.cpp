// The console's text rules: prefixes and line breaks, the bounded output pane, the history.
#include "rcon/ConsoleText.h"
#include "rcon/CommandHistory.h"
#include "rcon/ConsoleOutput.h"

#include <gtest/gtest.h>

namespace Portico {
namespace {

TEST(ConsoleText, EveryLineCarriesThePrefixAndEndsInCrLf) {
    EXPECT_EQ(u"> a\r\n> b\r\n", FormatConsoleText(u"> ", u"a\nb\n"));
    EXPECT_EQ(u"> a\r\n> b", FormatConsoleText(u"> ", u"a\r\nb"));
    EXPECT_EQ(u"* \r\n* x", FormatConsoleText(u"* ", u"\nx"));
    EXPECT_EQ(u"> status\r\n", FormatConsoleText(u"> ", u"status\r\n"));
    // An empty output shows its prefix alone, and the next text follows on that line.
    EXPECT_EQ(u"", FormatConsoleText(u"", u""));
    EXPECT_EQ(u"# ", FormatConsoleText(u"# ", u""));
}

TEST(ConsoleOutput, DropsTheOldestWholeLinesOnceTheLimitIsPassed) {
    ConsoleOutput pane(40);
    EXPECT_EQ(0u, pane.Append(u"0123456789\r\n").dropFront); // 12
    EXPECT_EQ(0u, pane.Append(u"abcdefghij\r\n").dropFront); // 24
    EXPECT_EQ(0u, pane.Append(u"ABCDEFGHIJ\r\n").dropFront); // 36
    // 36 + 12 passes 40: down to 30 at most, so the first two lines (24) go.
    const ConsoleOutput::Fit fit = pane.Append(u"klmnopqrst\r\n");
    EXPECT_EQ(24u, fit.dropFront);
    EXPECT_EQ(0u, fit.skipText);
    EXPECT_EQ(24u, pane.Length());
    // Text without line starts late enough takes everything before it.
    EXPECT_EQ(24u, pane.Append(u"one line of twenty-two").dropFront);
    EXPECT_EQ(22u, pane.Length());
}

TEST(ConsoleOutput, ATextLongerThanThePaneShowsItsEndFromALineStart) {
    ConsoleOutput pane(40);
    pane.Append(u"old\r\n");
    std::u16string text;
    for (int i = 0; i < 10; ++i)
        text += u"line " + std::u16string(1, char16_t(u'0' + i)) + u"\r\n"; // 8 each
    const ConsoleOutput::Fit fit = pane.Append(text);
    EXPECT_EQ(u"line 7\r\n", text.substr(fit.skipText, 8));
    EXPECT_EQ(0u, fit.dropFront); // the old line and the text's last three lines fit
    EXPECT_EQ(5u + 24u, pane.Length());
}

TEST(CommandHistory, StepsBackAndForthAndKeepsTheDraft) {
    CommandHistory history;
    std::u16string line;
    EXPECT_FALSE(history.Older(u"typed", line));
    history.Add(u"status");
    history.Add(u"maps");
    history.Add(u"maps");
    history.Add(u"");
    EXPECT_EQ(2u, history.Size());
    ASSERT_TRUE(history.Older(u"draft", line));
    EXPECT_EQ(u"maps", line);
    ASSERT_TRUE(history.Older(line, line));
    EXPECT_EQ(u"status", line);
    EXPECT_FALSE(history.Older(line, line));
    ASSERT_TRUE(history.Newer(line));
    EXPECT_EQ(u"maps", line);
    ASSERT_TRUE(history.Newer(line));
    EXPECT_EQ(u"draft", line);
    EXPECT_FALSE(history.Newer(line));
    for (int i = 0; i < 150; ++i)
        history.Add(std::u16string(1, char16_t(u'A' + i % 26)) + char16_t(u'0' + i % 10));
    EXPECT_EQ(CommandHistory::kMaxEntries, history.Size());
}

} // namespace
} // namespace Portico
