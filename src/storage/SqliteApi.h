// The few SQLite entry points and result codes the database layer uses, declared here because
// the library is bound at run time and its header is not part of the build.
#pragma once

namespace Utils {

struct SqliteConnection; // sqlite3
struct SqliteStatement;  // sqlite3_stmt

constexpr int kSqliteOk = 0;
constexpr int kSqliteRow = 100;

constexpr int kSqliteInteger = 1;
constexpr int kSqliteFloat = 2;
constexpr int kSqliteNull = 5;

using SqliteExecCallback = int (*)(void*, int, char**, char**);

// One table of entry points; a name the library does not export leaves its entry null.
struct SqliteApi {
    int (*open)(const char* fileName, SqliteConnection** connection) = nullptr;
    int (*close)(SqliteConnection* connection) = nullptr;
    int (*exec)(SqliteConnection* connection, const char* sql, SqliteExecCallback callback,
                void* context, char** errorText) = nullptr;
    int (*prepareV2)(SqliteConnection* connection, const char* sql, int bytes,
                     SqliteStatement** statement, const char** tail) = nullptr;
    int (*columnCount)(SqliteStatement* statement) = nullptr;
    int (*step)(SqliteStatement* statement) = nullptr;
    int (*finalize)(SqliteStatement* statement) = nullptr;
    int (*columnType)(SqliteStatement* statement, int column) = nullptr;
    const unsigned char* (*columnText)(SqliteStatement* statement, int column) = nullptr;
    int (*columnInt)(SqliteStatement* statement, int column) = nullptr;
    double (*columnDouble)(SqliteStatement* statement, int column) = nullptr;

    bool CanOpen() const { return open && close; }
    bool CanExec() const { return exec; }
    bool CanQuery() const {
        return prepareV2 && columnCount && step && finalize && columnType && columnText &&
               columnInt && columnDouble;
    }
};

} // namespace Utils
