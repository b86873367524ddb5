// Database over the run-time bound SQLite library. Short-lived: one object per user and
// thread, closed by its destructor.
#pragma once

#include "storage/Database.h"
#include "storage/SqliteLibrary.h"

namespace Utils {

class DatabaseSqlite : public Database {
public:
    // Binds the process-wide library; a missing library makes every operation fail.
    DatabaseSqlite();
    explicit DatabaseSqlite(SqliteLibrary& library);
    DatabaseSqlite(const DatabaseSqlite&) = delete;
    DatabaseSqlite& operator=(const DatabaseSqlite&) = delete;
    ~DatabaseSqlite() override;

    bool Open(const char* fileName) override;
    void Close() override;
    bool Exec(const char* sql) override;
    std::unique_ptr<ResultSet> Query(const char* sql) override;

private:
    SqliteLibrary& library;
    SqliteConnection* connection = nullptr;
};

} // namespace Utils
