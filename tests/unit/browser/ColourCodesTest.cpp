#include "browser/ColourCodes.h"

#include <gtest/gtest.h>

using namespace Portico;

TEST(ColourCodes, DigitsSetTheColourOfTheRest) {
    auto runs = SplitColourCodes(u"^1Red^7 White^^x^");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].digit, 1);
    EXPECT_EQ(runs[0].text, u"Red");
    EXPECT_EQ(runs[1].digit, 7);
    // A caret before a non-digit, or at the end, is an ordinary character.
    EXPECT_EQ(runs[1].text, u" White^^x^");
    EXPECT_EQ(StripColourCodes(u"^3A^9B^0"), u"AB");
    EXPECT_EQ(SplitColourCodes(u"plain")[0].digit, -1);
}
