// A real SQLite database that records its statements and can be told to fail one, or to
// stop dead at one as if the process had crashed there (nothing after it runs, no rollback is
// sent, and closing drops the open transaction as a crash would).
#pragma once

#include "storage/DatabaseSqlite.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Portico::Test {

struct DatabaseScript {
    // Statements and queries starting with failAt fail without running, from occurrence
    // failFrom on.
    std::string failAt;
    int failFrom = 1;
    // Likewise, but the database is dead from then on.
    std::string crashAt;
    int crashFrom = 1;

    std::vector<std::string> Statements() {
        std::lock_guard<std::mutex> guard(lock);
        return statements;
    }
    std::vector<std::string> Opened() {
        std::lock_guard<std::mutex> guard(lock);
        return opened;
    }
    // How many recorded statements start with the prefix.
    int Count(const std::string& prefix) {
        int n = 0;
        for (const std::string& s : Statements())
            n += s.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
        return n;
    }

    std::mutex lock; // guards everything of the script
    std::vector<std::string> statements;
    std::vector<std::string> opened;
    int failSeen = 0;
    int crashSeen = 0;
};

class ScriptedDatabase : public Utils::Database {
public:
    explicit ScriptedDatabase(DatabaseScript& script) : script(script) {}

    bool Open(const char* fileName) override {
        {
            std::lock_guard<std::mutex> guard(script.lock);
            script.opened.push_back(fileName);
        }
        dead = false;
        return inner.Open(fileName);
    }
    void Close() override { inner.Close(); }
    bool Exec(const char* sql) override {
        if (dead || !Record(sql))
            return false;
        return inner.Exec(sql);
    }
    std::unique_ptr<Utils::ResultSet> Query(const char* sql) override {
        if (dead || !Record(sql))
            return nullptr;
        return inner.Query(sql);
    }

private:
    static bool Starts(const std::string& text, const std::string& prefix) {
        return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
    }

    // False when the statement must not run.
    bool Record(const std::string& sql) {
        std::lock_guard<std::mutex> guard(script.lock);
        script.statements.push_back(sql);
        if (Starts(sql, script.crashAt) && ++script.crashSeen >= script.crashFrom) {
            dead = true;
            return false;
        }
        return !(Starts(sql, script.failAt) && ++script.failSeen >= script.failFrom);
    }

    DatabaseScript& script;
    Utils::DatabaseSqlite inner;
    bool dead = false;
};

} // namespace Portico::Test
