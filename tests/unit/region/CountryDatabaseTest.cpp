#include "CountryDatabase.h"
#include "LookupAnswer.h"
#include "Quillon.h"
#include "RangeTableImage.h"

#include <gtest/gtest.h>

using Portico::CountryDatabase;
using RegionTest::ExpectAnswer;
using RegionTest::Ip;
using RegionTest::RangeTableImage;

namespace {

CountryDatabase WithData() {
    CountryDatabase database;
    auto image = RangeTableImage({{0, ""},
                                  {Ip(8, 0, 0, 0), "US"},
                                  {Ip(9, 0, 0, 0), "GG"},
                                  {Ip(10, 0, 0, 0), "A1"},
                                  {Ip(11, 0, 0, 0), ""}});
    EXPECT_TRUE(database.LoadTable(image.data(), image.size()));
    return database;
}

bool Overrides(CountryDatabase& database, const std::string& text) {
    return database.LoadOverrides(text.data(), text.size());
}

} // namespace

TEST(CountryDatabase, DataAnswersWithRegionCodeAndSource) {
    CountryDatabase database = WithData();
    ExpectAnswer(database, Ip(8, 8, 8, 8), 12, "US", kQuillonFromData);
    ExpectAnswer(database, Ip(9, 1, 2, 3), 8, "GG", kQuillonFromData);
    ExpectAnswer(database, Ip(127, 0, 0, 1), 0, "", kQuillonNoCountry);
    ExpectAnswer(database, Ip(10, 0, 0, 1), 0, "A1", kQuillonFromData); // code without region
}

// The override file over the data: LibraryOverrideTest, through the built library.
TEST(CountryDatabase, WithoutDataOnlyTheOverrideAnswers) {
    CountryDatabase database;
    const uint8_t broken[] = {'Q', 'R', 'T'};
    EXPECT_FALSE(database.LoadTable(broken, sizeof broken));
    ExpectAnswer(database, Ip(8, 8, 8, 8), 0, "", kQuillonNoCountry);
    ASSERT_TRUE(Overrides(database, "127.0.1.0/24 DE\n"));
    ExpectAnswer(database, Ip(127, 0, 1, 1), 7, "DE", kQuillonFromOverride);
    ExpectAnswer(database, Ip(8, 8, 8, 8), 0, "", kQuillonNoCountry);
}
