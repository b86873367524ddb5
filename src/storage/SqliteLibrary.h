// Run-time binding of the SQLite library: loaded by name once, never unloaded. A failed load
// leaves it unbound, and the next Bind tries again.
#pragma once

#include "storage/SqliteApi.h"

#include <atomic>
#include <mutex>
#include <string>

namespace Utils {

class DynamicLibrary;

class SqliteLibrary {
public:
    // The platform's library name: "sqlite3.dll" on Windows, "libsqlite3.so.0" elsewhere.
    static const char* const kDefaultName;

    // The process-wide binding under the default name.
    static SqliteLibrary& Instance();

    explicit SqliteLibrary(std::string name);
    SqliteLibrary(const SqliteLibrary&) = delete;
    SqliteLibrary& operator=(const SqliteLibrary&) = delete;

    // Loads the library and takes its entry points unless that was done before.
    // True when the library is bound.
    bool Bind();

    // The entry points, or null while the library is not bound.
    const SqliteApi* Api() const { return published.load(std::memory_order_acquire); }

private:
    void TakeEntryPoints(const DynamicLibrary& library);

    const std::string name;
    std::recursive_mutex bindLock; // guards the load attempt and the filling of api
    SqliteApi api;
    std::atomic<const SqliteApi*> published{nullptr}; // &api once it is complete
};

} // namespace Utils
