#include "utils/ParseNumber.h"

#include <gtest/gtest.h>

using namespace Utils;

TEST(ParseNumber, DecimalsAreWholeDigitsThatFit) {
    int32_t signedValue = 0;
    ASSERT_TRUE(ParseDecimal("-2147483648", signedValue));
    EXPECT_EQ(signedValue, INT32_MIN);
    uint64_t value = 0;
    ASSERT_TRUE(ParseDecimal("604800", value, uint64_t(604800)));
    EXPECT_FALSE(ParseDecimal("604801", value, uint64_t(604800)));
    for (const char* bad : {"", "+5", "-5", "5 ", "0x10", "18446744073709551616"})
        EXPECT_FALSE(ParseDecimal(bad, value)) << bad;
    EXPECT_EQ(value, 604800u); // untouched by the failures
}

TEST(ParseNumber, SecondsArePositiveDecimalsUpToTheLimit) {
    double seconds = 7;
    ASSERT_TRUE(ParseSeconds("0.25", seconds, 3600));
    EXPECT_EQ(seconds, 0.25);
    for (const char* bad : {"", "0", "-1", "3600.5", "1e2", "nan", "inf", "2s"})
        EXPECT_FALSE(ParseSeconds(bad, seconds, 3600)) << bad;
    EXPECT_EQ(seconds, 0.25);
}

TEST(ParseNumber, LeadingNumbersClampLikeAtoiWithoutOverflow) {
    int32_t value = 1;
    EXPECT_EQ(ReadLeadingInt32("+12x", value), 3u);
    EXPECT_EQ(value, 12);
    EXPECT_EQ(ReadLeadingInt32("-99999999999", value), 12u);
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_EQ(ReadLeadingInt32("4294967296", value), 10u);
    EXPECT_EQ(value, INT32_MAX);
    for (const char* none : {"", "-", "+-5", "x1", " 1"}) {
        EXPECT_EQ(ReadLeadingInt32(none, value), 0u) << none;
        EXPECT_EQ(value, 0) << none;
    }
}
