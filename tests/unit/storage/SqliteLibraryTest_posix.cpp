#include "storage/DatabaseSqlite.h"
#include "storage/SqliteLibrary.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <string>

using Utils::DatabaseSqlite;
using Utils::SqliteLibrary;

namespace {

// The file behind the system's SQLite library.
std::string SystemSqliteFile() {
    void* library = dlopen(SqliteLibrary::kDefaultName, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return {};
    Dl_info info{};
    void* symbol = dlsym(library, "sqlite3_open");
    return symbol && dladdr(symbol, &info) && info.dli_fname ? info.dli_fname : "";
}

} // namespace

TEST(SqliteLibraryPosix, LaterBindRetriesAfterLibraryAppears) {
    TempFolder folder;
    std::string file = folder.File("libsqlite3-later.so.0");
    SqliteLibrary later(file);
    DatabaseSqlite before(later);
    EXPECT_FALSE(before.Open(":memory:"));

    std::string system = SystemSqliteFile();
    ASSERT_FALSE(system.empty());
    std::filesystem::create_symlink(system, file);

    DatabaseSqlite after(later); // constructing binds again
    ASSERT_NE(later.Api(), nullptr);
    EXPECT_TRUE(after.Open(":memory:"));
    auto result = after.Query("SELECT 40 + 2");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->CellAt(0, 0).AsInt(), 42);
    // The binding is process-wide: the earlier object works now too.
    EXPECT_TRUE(before.Open(":memory:"));
}

TEST(SqliteLibraryPosix, LibraryWithoutEntryPointsIsNeverCalled) {
    SqliteLibrary other("libm.so.6");
    ASSERT_TRUE(other.Bind());
    ASSERT_NE(other.Api(), nullptr);
    EXPECT_FALSE(other.Api()->CanOpen());
    EXPECT_FALSE(other.Api()->CanQuery());

    DatabaseSqlite db(other);
    EXPECT_FALSE(db.Open(":memory:"));
    EXPECT_FALSE(db.Exec("SELECT 1"));
    EXPECT_EQ(db.Query("SELECT 1"), nullptr);
    db.Close();
}
