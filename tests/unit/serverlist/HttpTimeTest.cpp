#include "serverlist/HttpTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace Portico;

namespace {

bool Parse(const std::string& text, HttpTime& time) {
    return ParseHttpDate(text.data(), text.size(), time);
}

} // namespace

TEST(HttpTime, ReadsTheThreeDateForms) {
    const struct {
        const char* text;
        std::vector<int> fields; // year, month, day, hour, minute, second, weekday
    } cases[] = {{"Sun, 06 Nov 1994 08:49:37 GMT", {1994, 11, 6, 8, 49, 37, 0}},
                 {"Sunday, 06-Nov-94 08:49:37 GMT", {1994, 11, 6, 8, 49, 37, 0}},
                 {"Tue Nov  8 08:49:37 2011", {2011, 11, 8, 8, 49, 37, 2}},
                 // Two-digit years below 70 are 20xx.
                 {"Monday, 01-Jan-24 00:00:00 GMT", {2024, 1, 1, 0, 0, 0, 1}}};
    for (const auto& c : cases) {
        HttpTime t;
        ASSERT_TRUE(Parse(c.text, t)) << c.text;
        EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second, t.weekday}),
                  c.fields)
            << c.text;
    }
}

TEST(HttpTime, RefusesMissingOrBadFields) {
    HttpTime t;
    for (const char* text :
         {"", "Sun, 06 Nov 08:49:37 GMT", "Sun, 32 Nov 1994 08:49:37 GMT",
          "Sun, 06 Nov 1994 24:00:00", "Sun, 06 Nov 1994 08:60:00", "Sun, 06 Nov 19945 08:49:37",
          "Sun, 06 Nov 1994 08:49:37 GMT 12", "06 Nov 1500 08:49:37"})
        EXPECT_FALSE(Parse(text, t)) << text;
}

#ifndef _WIN32
// The zone is set through TZ, which only the POSIX run-time library reads.
TEST(HttpTime, TakesTheTimeOfDayAsLocalStandardTime) {
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    HttpTime t;
    ASSERT_TRUE(Parse("Sun, 06 Nov 1994 08:49:37 GMT", t));
    setenv("TZ", "UTC0", 1);
    tzset();
    EXPECT_EQ(HttpTimeToSeconds(t), 784111777);
    // Central Europe in summer: the header's 10:00 is read as 10:00 standard time (UTC+1),
    // not as summer time.
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    ASSERT_TRUE(Parse("Wed, 15 Jul 2020 10:00:00 GMT", t));
    EXPECT_EQ(HttpTimeToSeconds(t), 1594807200 - 3600);
    if (saved)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}
#endif
