#include "BrowserFakes.h"

#include "browser/ServerRowModel.h"
#include "browser/ServerRowOrder.h"
#include "browser/ServerRowText.h"

#include <gtest/gtest.h>

#include <deque>

using namespace Portico;
using namespace Portico::Test;

namespace {

using Texts = std::vector<std::u16string>;

// Records that stay in place, as the scheduler's and the favourites' do.
class RowModelTest : public ::testing::Test {
protected:
    ServerRecord* Show(const ServerRecord& record, const RowFilter& filter = {1}) {
        owned.push_back(record);
        shown = model.Show(&owned.back(), owned.back(), filter);
        return &owned.back();
    }

    std::deque<ServerRecord> owned;
    ServerRowModel::Shown shown;
    VectorServerRows rows;
    PlainRecords records;
    CountingFlags flagSource;
    FlagCache flags{flagSource};
    ServerRowModel model{rows, records, flags};
};

} // namespace

TEST_F(RowModelTest, NewRowsArriveByTimeAndUpdatesStayInPlace) {
    ServerRecord* slow = Show(Replied(1, 30));
    Show(Replied(2, 10));
    Show(Replied(3, 20));
    EXPECT_EQ(rows.Column(kColumnTime), (Texts{u"10 ms", u"20 ms", u"30 ms"}));

    slow->time = 5; // answered again, faster: the text changes, the place does not
    model.Show(slow, *slow, {1});
    EXPECT_EQ(rows.Column(kColumnTime), (Texts{u"10 ms", u"20 ms", u"5 ms"}));

    ServerRecord waiting = Replied(4, 0);
    waiting.status = kStatusMade; // not answered yet: time 0, first in line
    Show(waiting);
    EXPECT_EQ(shown.row, 0);
    EXPECT_EQ(rows.rows[0].texts[kColumnTime], u"N/A");

    // The same server from another owner (the favourites) takes over its row.
    const ServerRecord* favourite = Show(Replied(2, 10));
    EXPECT_FALSE(shown.inserted);
    EXPECT_EQ(rows.rows[size_t(shown.row)].record, favourite);
    EXPECT_EQ(rows.Count(), 4);
}

TEST_F(RowModelTest, FilterByGameTabAndPingLimit) {
    ServerRecord record = Replied(1, 10);
    record.gameId = 2;
    Show(record);
    EXPECT_EQ(shown.row, -1);
    Show(Replied(2, 10), {1, true, 0}); // the favourites tab takes only direct records
    EXPECT_EQ(shown.row, -1);
    record = Replied(3, 10);
    record.direct = 1;
    Show(record, {1, true, 0});
    EXPECT_EQ(shown.row, 0);

    Show(Replied(4, 150), {1, false, 100});
    EXPECT_EQ(shown.row, -1);
    record = Replied(5, 0);
    record.status = kStatusMade; // time 0 always passes
    Show(record, {1, false, 100});
    EXPECT_EQ(rows.Count(), 2);
}

TEST_F(RowModelTest, SortByColumnsAndSigns) {
    Show(Replied(1, 10, 4, 16, "se"));
    Show(Replied(2, 20, 8, 10, "DE"));
    Show(Replied(3, 30, 4, 20, "fr"));
    Show(Replied(4, 40, 0, 0, "AT"));
    rows.rows.insert(rows.rows.begin(), VectorServerRows::Row{}); // a row without a record

    model.Sort(5); // more players first, ties by more places
    EXPECT_EQ(rows.Column(kColumnPlayers), (Texts{u"8/10", u"4/20", u"4/16", u"0/0", u""}));
    model.Sort(-5);
    EXPECT_EQ(rows.Column(kColumnPlayers), (Texts{u"0/0", u"4/16", u"4/20", u"8/10", u""}));
    model.Sort(1); // country letters without case
    EXPECT_EQ(rows.Column(kColumnCountry), (Texts{u"AT", u"DE", u"fr", u"se", u""}));
}

TEST(ServerRowOrder, ColumnClicksTimesAndColours) {
    EXPECT_EQ(NextSortKey(0, 4), 5);
    EXPECT_EQ(NextSortKey(5, 4), -5); // the same column again reverses
    EXPECT_EQ(NextSortKey(-5, 1), 2); // another column sorts ascending

    ServerRecord a = Replied(1, 0x100000005ull), b = Replied(2, 3);
    EXPECT_GT(CompareServerRows(a, b, kSortByTime), 0); // only the low 32 bits count
    a.time = 3;
    b.time = 0x80000003ull; // a difference of 2^31 is reversed without overflow
    EXPECT_EQ(CompareServerRows(a, b, -kSortByTime), INT32_MAX);

    EXPECT_EQ(PlayersColour(0, 0, 7), 0x2020FFu); // an empty 0/0 server counts as full
    EXPECT_EQ(PlayersColour(0, 16, 7), 7u);
}

TEST_F(RowModelTest, FlagsAreFetchedOnceButMissingOnesAgain) {
    int flag = 0;
    flagSource.images[Code('D', 'E')] = &flag;
    for (const char* country : {"DE", "DE", "ZZ", "ZZ"})
        Show(Replied(uint32_t(owned.size()), 10, 1, 16, country));
    EXPECT_EQ(flagSource.asked[Code('D', 'E')], 1);
    EXPECT_EQ(flagSource.asked[Code('Z', 'Z')], 2); // no image yet: asked each time
    EXPECT_EQ(flags.Get(Code('D', 'E')), &flag);
}
