#include "BrowserFakes.h"

#include "browser/PlayerListModel.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Portico;
using namespace Portico::Test;

namespace {

PlayerList List(std::initializer_list<std::pair<const char*, int32_t>> players) {
    PlayerList list;
    for (const auto& [name, score] : players) {
        PlayerEntry entry{};
        std::strncpy(entry.name, name, sizeof entry.name); // 32 letters fill it unterminated
        entry.score = score;
        list.entries.Append(entry);
    }
    return list;
}

using Row = std::vector<std::u16string>;

} // namespace

TEST(PlayerListModel, MergesByNameAndRemovesWhoLeftFromTheBottomUp) {
    VectorPlayerRows rows;
    PlayerListModel model(rows);
    model.Merge(List({{"anna", 1}, {"bob", 2}, {"carl", 3}, {"dora", 4}}), nullptr);
    ASSERT_EQ(rows.Count(), 4);

    // Bob and Dora left; Anna comes back in other case; Eve is new.
    model.Merge(List({{"ANNA", 7}, {"carl", -3}, {"eve", 0}}), nullptr);
    EXPECT_EQ(rows.deleted, (std::vector<int32_t>{3, 1}));
    EXPECT_EQ(rows.rows,
              (std::vector<Row>{{u"ANNA", u"", u"7"}, {u"carl", u"", u"-3"}, {u"eve", u"", u"0"}}));
}

TEST(PlayerListModel, ANameTwiceSharesOneRowAndLongNamesStayInTheirField) {
    VectorPlayerRows rows;
    PlayerListModel model(rows);
    const std::string full(32, 'x');
    model.Merge(List({{"player", 1}, {"Player", 9}, {full.c_str(), 5}}), nullptr);
    EXPECT_EQ(rows.rows,
              (std::vector<Row>{{u"Player", u"", u"9"}, {std::u16string(32, u'x'), u"", u"5"}}));
}
