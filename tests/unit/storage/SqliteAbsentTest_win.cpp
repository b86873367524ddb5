// Runs from a folder without sqlite3.dll (see RunWithoutSqlite.cmake); a copy of the library
// waits in the subfolder "spare".
#include "storage/DatabaseSqlite.h"
#include "utils/ExecutableFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

using Utils::DatabaseSqlite;
using Utils::SqliteLibrary;

namespace {

std::filesystem::path ProgramFolder() {
    return std::filesystem::u8path(Utils::ExecutableFolder());
}

} // namespace

TEST(SqliteAbsent, OpenFailsWithoutLibraryAndLaterConstructionRetries) {
    const auto folder = ProgramFolder();
    ASSERT_FALSE(std::filesystem::exists(folder / "sqlite3.dll"));
    ASSERT_TRUE(std::filesystem::exists(folder / "spare" / "sqlite3.dll"));

    DatabaseSqlite missing;
    EXPECT_EQ(GetModuleHandleW(L"sqlite3.dll"), nullptr);
    EXPECT_EQ(SqliteLibrary::Instance().Api(), nullptr);
    EXPECT_FALSE(missing.Open(":memory:"));
    EXPECT_FALSE(missing.Exec("CREATE TABLE t (k)"));
    EXPECT_EQ(missing.Query("SELECT 1"), nullptr);
    missing.Close();
    missing.Close();

    // The library appears beside the program: the next construction loads it.
    std::filesystem::copy_file(folder / "spare" / "sqlite3.dll", folder / "sqlite3.dll");
    DatabaseSqlite later;
    EXPECT_NE(GetModuleHandleW(L"sqlite3.dll"), nullptr);
    ASSERT_TRUE(later.Open(":memory:"));
    auto result = later.Query("SELECT 40 + 2");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->RowCount(), 1u);
    EXPECT_EQ(result->CellAt(0, 0).AsInt(), 42);
}
