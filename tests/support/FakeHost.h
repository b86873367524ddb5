// A host with fixed answers for the storage and server-list tests: a folder of its own with
// the user's folder inside, a language, an account and a room.
#pragma once

#include "TempFolder.h"

#include "common/HostInfo.h"
#include "storage/DatabaseSqlite.h"

#include <filesystem>
#include <initializer_list>
#include <string>

namespace Portico::Test {

class FakeHost : public HostInfo {
public:
    FakeHost() { std::filesystem::create_directories(UserFolder()); }

    std::u16string HostFolder() override {
        return (folder.Path() / "").u16string(); // with its trailing separator
    }
    std::u16string LanguageCode() override { return language; }
    uint32_t MyAccount() override { return account; }
    bool GetCurrentRoom(CurrentRoom& current) override {
        current = room;
        return inRoom;
    }

    std::filesystem::path Folder() const { return folder.Path(); }
    std::filesystem::path UserFolder() const {
        return folder.Path() / "user" / std::to_string(account);
    }
    std::string StoreFile() const { return (UserFolder() / "fps.dat").u8string(); }
    std::string HostFile(const std::string& name) const { return folder.File(name); }

    std::u16string language = u"en";
    uint32_t account = 4242;
    bool inRoom = true;
    CurrentRoom room;

private:
    TempFolder folder;
};

// Creates (or extends) a database file with the statements; false when one fails.
inline bool MakeDatabaseFile(const std::string& file, std::initializer_list<const char*> sql) {
    Utils::DatabaseSqlite database;
    if (!database.Open(file.c_str()))
        return false;
    for (const char* statement : sql) {
        if (!database.Exec(statement))
            return false;
    }
    return true;
}

// Reads one integer, or -1 when the query gives no row.
inline int QueryInt(const std::string& file, const std::string& sql) {
    Utils::DatabaseSqlite database;
    if (!database.Open(file.c_str()))
        return -1;
    auto result = database.Query(sql.c_str());
    return result && result->RowCount() > 0 ? result->CellAt(0, 0).AsInt() : -1;
}

} // namespace Portico::Test
