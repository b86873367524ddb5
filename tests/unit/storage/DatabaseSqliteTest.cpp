#include "storage/DatabaseSqlite.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using Utils::Cell;
using Utils::DatabaseSqlite;
using Utils::ResultSet;

namespace {

class DatabaseSqliteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.Open(":memory:"));
        ASSERT_TRUE(db.Exec("CREATE TABLE t (k INTEGER, v)"));
    }

    int CountRows(const char* sql) {
        auto result = db.Query(sql);
        return result && result->RowCount() == 1 ? result->CellAt(0, 0).AsInt() : -1;
    }

    DatabaseSqlite db;
};

} // namespace

TEST_F(DatabaseSqliteTest, QueryWithoutMatchIsEmptyResultNotNull) {
    auto result = db.Query("SELECT k, v FROM t WHERE k = 1");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->RowCount(), 0u);
    EXPECT_EQ(result->ColumnCount(), 2);
}

TEST_F(DatabaseSqliteTest, ColumnTypesBecomeCells) {
    ASSERT_TRUE(db.Exec("INSERT INTO t VALUES (1, NULL), (2, 2.5), (3, '42abc'), (4, -7),"
                        " (5, X'41424300')"));
    auto result = db.Query("SELECT v FROM t ORDER BY k");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->RowCount(), 5u);

    const Cell& null = result->CellAt(0, 0);
    EXPECT_EQ(null.GetType(), Cell::Type::kInteger);
    EXPECT_EQ(null.AsInt(), 0);
    EXPECT_EQ(null.AsText(), "0");

    const Cell& real = result->CellAt(1, 0);
    EXPECT_EQ(real.GetType(), Cell::Type::kReal);
    EXPECT_EQ(real.AsInt(), 2);
    EXPECT_EQ(real.AsText(), "2.5");

    const Cell& text = result->CellAt(2, 0);
    EXPECT_EQ(text.GetType(), Cell::Type::kText);
    EXPECT_EQ(text.AsInt(), 42);
    EXPECT_EQ(text.AsText(), "42abc");

    const Cell& negative = result->CellAt(3, 0);
    EXPECT_EQ(negative.GetType(), Cell::Type::kInteger);
    EXPECT_EQ(negative.AsText(), "-7");

    const Cell& blob = result->CellAt(4, 0);
    EXPECT_EQ(blob.GetType(), Cell::Type::kText);
    EXPECT_EQ(blob.AsText(), "ABC");
}

TEST_F(DatabaseSqliteTest, QueryRunsOnlyTheFirstStatement) {
    auto result = db.Query("SELECT 7; INSERT INTO t VALUES (9, 'must not appear')");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->RowCount(), 1u);
    EXPECT_EQ(result->CellAt(0, 0).AsInt(), 7);
    EXPECT_EQ(CountRows("SELECT count(*) FROM t"), 0);

    ASSERT_NE(db.Query("INSERT INTO t VALUES (1, 'x'); INSERT INTO t VALUES (2, 'y')"), nullptr);
    EXPECT_EQ(CountRows("SELECT count(*) FROM t"), 1);
}

TEST_F(DatabaseSqliteTest, ExecRunsEveryStatement) {
    EXPECT_TRUE(db.Exec("INSERT INTO t VALUES (1, 'x'); INSERT INTO t VALUES (2, 'y')"));
    EXPECT_EQ(CountRows("SELECT count(*) FROM t"), 2);
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

TEST_F(DatabaseSqliteTest, UnpreparableQueryIsNull) {
    EXPECT_EQ(db.Query("SELECT * FROM missing_table"), nullptr);
    EXPECT_EQ(db.Query("SELEC 1"), nullptr);
    EXPECT_EQ(db.Query(nullptr), nullptr);
}

TEST_F(DatabaseSqliteTest, TextWithoutStatementIsEmptyResult) {
    auto result = db.Query("  -- nothing here");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->RowCount(), 0u);
    EXPECT_EQ(result->ColumnCount(), 0);
}

TEST_F(DatabaseSqliteTest, ExecReportsFailure) {
    EXPECT_FALSE(db.Exec("CREATE TABLE t (k)")); // exists already
    EXPECT_FALSE(db.Exec("NOT SQL"));
    EXPECT_FALSE(db.Exec(nullptr));
    ASSERT_TRUE(db.Exec("CREATE TABLE u (k UNIQUE)"));
    EXPECT_TRUE(db.Exec("INSERT INTO u VALUES (1)"));
    EXPECT_FALSE(db.Exec("INSERT INTO u VALUES (1)"));
    // A failure stops the text; what ran before it stays.
    EXPECT_FALSE(db.Exec("INSERT INTO u VALUES (2); INSERT INTO u VALUES (1);"
                         " INSERT INTO u VALUES (3)"));
    EXPECT_EQ(CountRows("SELECT count(*) FROM u"), 2);
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

TEST_F(DatabaseSqliteTest, ClosedDatabaseRefusesStatements) {
    db.Close();
    db.Close();
    EXPECT_FALSE(db.Exec("CREATE TABLE v (k)"));
    EXPECT_EQ(db.Query("SELECT 1"), nullptr);
    ASSERT_TRUE(db.Open(":memory:"));
    EXPECT_EQ(db.Query("SELECT k FROM t"), nullptr); // a new, empty database
}

TEST(DatabaseSqlite, NeverOpenedIsHarmless) {
    DatabaseSqlite db;
    db.Close();
    EXPECT_FALSE(db.Exec("SELECT 1"));
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

TEST(DatabaseSqlite, FileKeepsDataAcrossConnections) {
    TempFolder folder;
    std::string file = folder.File("store.dat");
    {
        DatabaseSqlite db;
        ASSERT_TRUE(db.Open(file.c_str()));
        ASSERT_TRUE(db.Exec("CREATE TABLE Config (key VARCHAR(16), value VARCHAR(16))"));
        ASSERT_TRUE(db.Exec("INSERT INTO Config VALUES ('filter', '192')"));
    } // the destructor closes
    DatabaseSqlite db;
    ASSERT_TRUE(db.Open(file.c_str()));
    auto result = db.Query("SELECT key, value FROM Config");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->RowCount(), 1u);
    EXPECT_EQ(result->CellAt(0, 0).AsText(), "filter");
    EXPECT_EQ(result->CellAt(0, 1).AsInt(), 192);
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

TEST(DatabaseSqlite, ThreadsWithOwnConnectionsShareAFile) {
    TempFolder folder;
    std::string file = folder.File("shared.dat");
    {
        DatabaseSqlite db;
        ASSERT_TRUE(db.Open(file.c_str()));
        ASSERT_TRUE(db.Exec("CREATE TABLE t (k INTEGER)"));
        ASSERT_TRUE(db.Exec("INSERT INTO t VALUES (1), (2), (3)"));
    }
    constexpr int kThreads = 4;
    std::vector<int> sums(kThreads, -1);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&file, &sums, i] {
            DatabaseSqlite db;
            if (!db.Open(file.c_str()))
                return;
            auto result = db.Query("SELECT sum(k) FROM t");
            if (result && result->RowCount() == 1)
                sums[static_cast<size_t>(i)] = result->CellAt(0, 0).AsInt();
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int sum : sums)
        EXPECT_EQ(sum, 6);
}
