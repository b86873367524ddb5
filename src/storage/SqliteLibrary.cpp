#include "storage/SqliteLibrary.h"

#include "utils/DynamicLibrary.h"

#include <utility>

namespace Utils {

namespace {

template <typename Entry> void Take(Entry& entry, void* address) {
    entry = reinterpret_cast<Entry>(address);
}

} // namespace

const char* const SqliteLibrary::kDefaultName = kWindows ? "sqlite3.dll" : "libsqlite3.so.0";

SqliteLibrary& SqliteLibrary::Instance() {
    static SqliteLibrary library(kDefaultName);
    return library;
}

SqliteLibrary::SqliteLibrary(std::string name) : name(std::move(name)) {}

bool SqliteLibrary::Bind() {
    std::lock_guard<std::recursive_mutex> guard(bindLock);
    if (Api())
        return true;
    const DynamicLibrary library(name);
    if (!library.IsLoaded())
        return false;
    TakeEntryPoints(library);
    // Readers see the table only after every entry is written.
    published.store(&api, std::memory_order_release);
    return true;
}

void SqliteLibrary::TakeEntryPoints(const DynamicLibrary& library) {
    Take(api.open, library.Find("sqlite3_open"));
    Take(api.close, library.Find("sqlite3_close"));
    Take(api.exec, library.Find("sqlite3_exec"));
    Take(api.prepareV2, library.Find("sqlite3_prepare_v2"));
    Take(api.columnCount, library.Find("sqlite3_column_count"));
    Take(api.step, library.Find("sqlite3_step"));
    Take(api.finalize, library.Find("sqlite3_finalize"));
    Take(api.columnType, library.Find("sqlite3_column_type"));
    Take(api.columnText, library.Find("sqlite3_column_text"));
    Take(api.columnInt, library.Find("sqlite3_column_int"));
    Take(api.columnDouble, library.Find("sqlite3_column_double"));
}

} // namespace Utils
