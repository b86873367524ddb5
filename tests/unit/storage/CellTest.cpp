#include "storage/Cell.h"
#include "storage/ResultSet.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using Utils::Cell;
using Utils::ResultSet;
using Utils::Row;

TEST(Cell, RealTruncatesTowardZeroWithinIntRange) {
    EXPECT_EQ(Cell::Real(-2.5).AsInt(), -2);
    EXPECT_EQ(Cell::Real(1e300).AsInt(), INT_MAX);
    EXPECT_EQ(Cell::Real(-1e300).AsInt(), INT_MIN);
    EXPECT_EQ(Cell::Real(HUGE_VAL).AsInt(), INT_MAX);
    EXPECT_EQ(Cell::Real(std::nan("")).AsInt(), 0);
    EXPECT_EQ(Cell::Real(-1.7976931348623157e308).AsText(), "-1.79769313486232e+308");
}

// The sign, digit and clamping rules are the shared leading-number reader's.
TEST(Cell, TextReadsLeadingNumberLikeAtoiWithinIntRange) {
    EXPECT_EQ(Cell::Text("  -12x").AsInt(), -12);
    EXPECT_EQ(Cell::Text("abc").AsInt(), 0);
    EXPECT_EQ(Cell::Text("99999999999").AsInt(), INT_MAX);
}

TEST(Cell, NullTextPointerGivesEmptyText) {
    EXPECT_EQ(Cell::Text(nullptr).GetType(), Cell::Type::kText);
    EXPECT_EQ(Cell::Text(nullptr).AsText(), "");
    EXPECT_EQ(Cell::Text(nullptr).AsInt(), 0);
}

TEST(ResultSet, CellOutsideTheResultIsNull) {
    ResultSet result(2);
    result.AppendRow(Row{Cell::Integer(4), Cell::Text("four")});
    result.AppendRow(Row{Cell::Integer(5)}); // padded to two cells
    EXPECT_EQ(result.CellAt(0, 1).AsText(), "four");
    EXPECT_EQ(result.CellAt(1, 1).AsText(), "0");
    EXPECT_EQ(result.CellAt(2, 0).AsText(), "0");
    EXPECT_EQ(result.CellAt(0, 2).GetType(), Cell::Type::kInteger);
    EXPECT_EQ(result.CellAt(0, -1).AsInt(), 0);
}
