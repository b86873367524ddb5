#include "storage/SqliteLibrary.h"

#include <utility>

namespace Utils {

namespace {

template <typename Entry, typename Symbol> void Take(Entry& entry, Symbol symbol) {
    entry = reinterpret_cast<Entry>(symbol);
}

} // namespace

SqliteLibrary& SqliteLibrary::Instance() {
    static SqliteLibrary library(kDefaultName);
    return library;
}

SqliteLibrary::SqliteLibrary(std::string name) : name(std::move(name)) {}

bool SqliteLibrary::Bind() {
    std::lock_guard<std::recursive_mutex> guard(bindLock);
    if (Api())
        return true;
    void* library = LoadByName(name);
    if (!library)
        return false;
    TakeEntryPoints(library);
    // Readers see the table only after every entry is written.
    published.store(&api, std::memory_order_release);
    return true;
}

void SqliteLibrary::TakeEntryPoints(void* library) {
    Take(api.open, FindSymbol(library, "sqlite3_open"));
    Take(api.close, FindSymbol(library, "sqlite3_close"));
    Take(api.exec, FindSymbol(library, "sqlite3_exec"));
    Take(api.prepareV2, FindSymbol(library, "sqlite3_prepare_v2"));
    Take(api.columnCount, FindSymbol(library, "sqlite3_column_count"));
    Take(api.step, FindSymbol(library, "sqlite3_step"));
    Take(api.finalize, FindSymbol(library, "sqlite3_finalize"));
    Take(api.columnType, FindSymbol(library, "sqlite3_column_type"));
    Take(api.columnText, FindSymbol(library, "sqlite3_column_text"));
    Take(api.columnInt, FindSymbol(library, "sqlite3_column_int"));
    Take(api.columnDouble, FindSymbol(library, "sqlite3_column_double"));
}

} // namespace Utils
