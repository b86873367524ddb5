#include "storage/DatabaseSqlite.h"

namespace Utils {

namespace {

Row ReadRow(const SqliteApi& api, SqliteStatement* statement, int columns) {
    Row row;
    row.reserve(static_cast<size_t>(columns));
    for (int column = 0; column < columns; ++column) {
        switch (api.columnType(statement, column)) {
        case kSqliteInteger:
            row.push_back(Cell::Integer(api.columnInt(statement, column)));
            break;
        case kSqliteFloat:
            row.push_back(Cell::Real(api.columnDouble(statement, column)));
            break;
        case kSqliteNull:
            row.push_back(Cell());
            break;
        default: // text and blob: the bytes up to the first zero
            row.push_back(
                Cell::Text(reinterpret_cast<const char*>(api.columnText(statement, column))));
            break;
        }
    }
    return row;
}

} // namespace

DatabaseSqlite::DatabaseSqlite() : DatabaseSqlite(SqliteLibrary::Instance()) {}

DatabaseSqlite::DatabaseSqlite(SqliteLibrary& library) : library(library) {
    library.Bind();
}

DatabaseSqlite::~DatabaseSqlite() {
    Close();
}

// Every operation checks the entry points it is about to call: a library that is missing,
// or lacks an export, makes the operation fail instead of calling through a null pointer.

bool DatabaseSqlite::Open(const char* fileName) {
    Close(); // a second Open must not leak the first connection
    const SqliteApi* api = library.Api();
    if (!fileName || !api || !api->CanOpen())
        return false;
    // SQLite hands back a connection even when opening fails; Close releases it.
    if (api->open(fileName, &connection) != kSqliteOk) {
        Close();
        return false;
    }
    return true;
}

void DatabaseSqlite::Close() {
    const SqliteApi* api = library.Api();
    if (connection && api && api->close)
        api->close(connection);
    connection = nullptr;
}

bool DatabaseSqlite::Exec(const char* sql) {
    const SqliteApi* api = library.Api();
    if (!sql || !connection || !api || !api->CanExec())
        return false;
    return api->exec(connection, sql, nullptr, nullptr, nullptr) == kSqliteOk;
}

std::unique_ptr<ResultSet> DatabaseSqlite::Query(const char* sql) {
    const SqliteApi* api = library.Api();
    if (!sql || !connection || !api || !api->CanQuery())
        return nullptr;
    SqliteStatement* statement = nullptr;
    if (api->prepareV2(connection, sql, -1, &statement, nullptr) != kSqliteOk)
        return nullptr;
    // A text without a statement (blank or only a comment) prepares to nothing.
    if (!statement)
        return std::make_unique<ResultSet>(0);
    int columns = api->columnCount(statement);
    auto result = std::make_unique<ResultSet>(columns);
    // Done and error both end the rows; a failure midway keeps what was read before it.
    while (api->step(statement) == kSqliteRow)
        result->AppendRow(ReadRow(*api, statement, result->ColumnCount()));
    api->finalize(statement);
    return result;
}

} // namespace Utils
