#include "storage/DatabaseSqlite.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

using Utils::Cell;
using Utils::DatabaseSqlite;

namespace {

class DatabaseSqliteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.Open(":memory:"));
        ASSERT_TRUE(db.Exec("CREATE TABLE t (k INTEGER, v)"));
    }

    DatabaseSqlite db;
};

} // namespace

TEST_F(DatabaseSqliteTest, ColumnTypesBecomeCells) {
    ASSERT_TRUE(db.Exec("INSERT INTO t VALUES (1, NULL), (2, 2.5), (3, '42abc'), (4, X'414243')"));
    auto result = db.Query("SELECT v FROM t ORDER BY k");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->RowCount(), 4u);
    EXPECT_EQ(result->CellAt(0, 0).GetType(), Cell::Type::kInteger);
    EXPECT_EQ(result->CellAt(0, 0).AsText(), "0");
    EXPECT_EQ(result->CellAt(1, 0).GetType(), Cell::Type::kReal);
    EXPECT_EQ(result->CellAt(1, 0).AsText(), "2.5");
    EXPECT_EQ(result->CellAt(2, 0).GetType(), Cell::Type::kText);
    EXPECT_EQ(result->CellAt(3, 0).GetType(), Cell::Type::kText);
    EXPECT_EQ(result->CellAt(3, 0).AsText(), "ABC");
}

TEST_F(DatabaseSqliteTest, StepFailureKeepsRowsReadBefore) {
    // The third row overflows a 64-bit integer, which fails the statement while stepping.
    auto result = db.Query("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c "
                           "WHERE x < 5) SELECT CASE WHEN x < 3 THEN x "
                           "ELSE abs(-9223372036854775807 - 1) END FROM c");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->RowCount(), 2u);
    EXPECT_EQ(result->CellAt(0, 0).AsInt(), 1);
    EXPECT_EQ(result->CellAt(1, 0).AsInt(), 2);
}

TEST_F(DatabaseSqliteTest, FailuresAreResults) {
    EXPECT_EQ(db.Query("SELEC 1"), nullptr);
    EXPECT_EQ(db.Query(nullptr), nullptr);
    EXPECT_FALSE(db.Exec("NOT SQL"));
    EXPECT_FALSE(db.Exec(nullptr));
    // Text without a statement prepares to nothing: an empty result, not a failure.
    auto result = db.Query("  -- nothing here");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->RowCount(), 0u);
    EXPECT_EQ(result->ColumnCount(), 0);
}

TEST_F(DatabaseSqliteTest, StoredTextOfAnyBytesReadsSafely) {
    std::string longText(100000, 'q');
    ASSERT_TRUE(db.Exec(("INSERT INTO t VALUES (1, '" + longText + "')").c_str()));
    ASSERT_TRUE(db.Exec("INSERT INTO t VALUES (2, X'00414243'), (3, X'FFFE80C0'), (4, ''),"
                        " (5, X'')"));
    auto result = db.Query("SELECT v FROM t ORDER BY k");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->RowCount(), 5u);
    EXPECT_EQ(result->CellAt(0, 0).AsText(), longText);
    EXPECT_EQ(result->CellAt(1, 0).AsText(), "");
    EXPECT_EQ(result->CellAt(2, 0).AsText(), "\xFF\xFE\x80\xC0");
    EXPECT_EQ(result->CellAt(3, 0).AsText(), "");
    EXPECT_EQ(result->CellAt(4, 0).GetType(), Cell::Type::kText);
    EXPECT_EQ(result->CellAt(4, 0).AsText(), "");
}

TEST(DatabaseSqlite, NeverOpenedOrClosedRefusesStatements) {
    DatabaseSqlite db;
    db.Close();
    EXPECT_FALSE(db.Exec("SELECT 1"));
    EXPECT_EQ(db.Query("SELECT 1"), nullptr);
    ASSERT_TRUE(db.Open(":memory:"));
    db.Close();
    db.Close();
    EXPECT_EQ(db.Query("SELECT 1"), nullptr);
}

TEST(DatabaseSqlite, OpenOfImpossiblePathFails) {
    TempFolder folder;
    DatabaseSqlite db;
    EXPECT_FALSE(db.Open(folder.File("no-such-folder/deeper/store.dat").c_str()));
    EXPECT_FALSE(db.Exec("CREATE TABLE t (k)"));
    EXPECT_EQ(db.Query("SELECT 1"), nullptr);
    EXPECT_FALSE(db.Open(nullptr));
    db.Close();
}

TEST(DatabaseSqlite, SecondOpenReplacesTheFirstConnection) {
    TempFolder folder;
    std::string first = folder.File("first.dat");
    DatabaseSqlite db;
    ASSERT_TRUE(db.Open(first.c_str()));
    ASSERT_TRUE(db.Exec("CREATE TABLE a (k)"));
    ASSERT_TRUE(db.Open(folder.File("second.dat").c_str()));
    EXPECT_EQ(db.Query("SELECT k FROM a"), nullptr);
    ASSERT_TRUE(db.Open(first.c_str()));
    EXPECT_NE(db.Query("SELECT k FROM a"), nullptr);
}
