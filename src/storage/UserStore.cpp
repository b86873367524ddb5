#include "storage/UserStore.h"

#include "storage/DatabaseSqlite.h"
#include "storage/SqlText.h"
#include "storage/StorePaths.h"
#include "storage/UserStoreSchema.h"
#include "utils/Utf.h"

#include <cstring>
#include <string>

namespace Portico {

namespace {

constexpr uint32_t kRegionBits = 0xFFFF;
constexpr uint32_t kJoinedRegions = 0xC0; // regions 7 and 8, one node of the browser's tree
constexpr size_t kNameChars = sizeof(ServerInfo::name) / sizeof(char16_t);

} // namespace

UserStore::UserStore(HostInfo& host) : UserStore(host, std::make_unique<Utils::DatabaseSqlite>()) {}

UserStore::UserStore(HostInfo& host, std::unique_ptr<Utils::Database> database)
    : host(host), database(std::move(database)) {}

uint32_t UserStore::NormaliseFilter(uint32_t filter) {
    if ((filter & kRegionBits) == 0)
        return filter; // no region bit: a country code, or nothing chosen
    filter &= ~(filter - 1) & kRegionBits;
    return (filter & kJoinedRegions) ? kJoinedRegions : filter;
}

bool UserStore::LoadUserStore(bool& inFavourites, uint32_t& filter) {
    const std::u16string path = UserStoreFilePath(host);
    if (!database->Open(Utils::Utf::ToUtf8(path).c_str()))
        return false;
    database->Exec(kStoreBusyTimeout);
    for (const char* create : {kCreateFavTab, kCreateConfig, kCreateFslRegion, kCreateFsl})
        database->Exec(create);
    // One read transaction, so that the count and the rows come from one state of the file.
    // Favourites that could not be read must not look like none: the save at the end of the
    // session would then delete the stored ones. Such a store is treated as one that does not
    // open (another process may hold its lock for longer than the busy timeout).
    database->Exec("BEGIN");
    if (!ReadFavourites()) {
        database->Close();
        return false;
    }
    ReadSettings(inFavourites, filter);
    database->Exec("COMMIT");
    filter = NormaliseFilter(filter);
    return true;
}

bool UserStore::ReadFavourites() {
    auto count = database->Query("SELECT count(*) FROM FavTab");
    auto rows = database->Query("SELECT gameid, ip, port, name, needpass FROM FavTab");
    // A query whose rows stop early (a read that fails midway) keeps the rows read so far.
    if (!count || count->RowCount() != 1 || !rows ||
        rows->RowCount() != size_t(count->CellAt(0, 0).AsInt()))
        return false;
    std::vector<ServerRecord> records;
    records.reserve(rows->RowCount());
    for (size_t row = 0; row < rows->RowCount(); ++row) {
        ServerRecord record;
        std::memset(&record, 0, sizeof(record));
        record.gameId = static_cast<uint16_t>(rows->CellAt(row, 0).AsInt());
        record.ip = static_cast<uint32_t>(rows->CellAt(row, 1).AsInt());
        record.port = static_cast<uint16_t>(rows->CellAt(row, 2).AsInt());
        // A stored name longer than the record's field is cut to fit.
        Utils::Utf::CopyToField(record.info.name, kNameChars, rows->CellAt(row, 3).AsText(),
                                Utils::Utf::Malformed::Replace);
        record.info.needPass = static_cast<uint8_t>(rows->CellAt(row, 4).AsInt());
        records.push_back(record);
    }
    favourites.Replace(records);
    return true;
}

void UserStore::ReadSettings(bool& inFavourites, uint32_t& filter) {
    auto rows = database->Query("SELECT key, value FROM Config");
    if (!rows)
        return;
    for (size_t row = 0; row < rows->RowCount(); ++row) {
        const std::string key = rows->CellAt(row, 0).AsText();
        if (key == "infav")
            inFavourites = rows->CellAt(row, 1).AsInt() > 0;
        else if (key == "filter")
            filter = static_cast<uint32_t>(rows->CellAt(row, 1).AsInt());
    }
}

bool UserStore::SaveUserStore(bool inFavourites, uint32_t filter) {
    // The lock is held while the records are copied, not while the disk is written: a
    // receive thread adding a favourite never waits for the store.
    const std::vector<ServerRecord> records = favourites.Snapshot();
    const bool written = WriteAll(inFavourites, filter, records);
    if (written)
        database->Exec("VACUUM");
    database->Close();
    return written;
}

bool UserStore::WriteAll(bool inFavourites, uint32_t filter,
                         const std::vector<ServerRecord>& records) {
    // One transaction: the favourites are deleted and written back, and a crash or a full
    // disk in between must not lose them.
    if (!database->Exec("BEGIN"))
        return false;
    bool ok = database->Exec(SqlFormat("REPLACE INTO Config (key, value) VALUES ('infav', '%d')",
                                       inFavourites ? 1 : 0)
                                 .c_str()) &&
              database->Exec(SqlFormat("REPLACE INTO Config (key, value) VALUES ('filter', '%d')",
                                       int32_t(filter))
                                 .c_str()) &&
              database->Exec("DELETE FROM FavTab");
    for (size_t i = 0; ok && i < records.size(); ++i) {
        const ServerRecord& r = records[i];
        const std::string name =
            Utils::Utf::ToUtf8({r.info.name, Utils::Utf::BoundedLength(r.info.name, kNameChars)});
        ok = database->Exec(SqlFormat("REPLACE INTO FavTab (gameid, ip, port, name, needpass) "
                                      "VALUES (%d, %d, %d, '%s', %d)",
                                      int(r.gameId), int32_t(r.ip), int(r.port),
                                      SqlQuoted(name).c_str(), int(r.info.needPass))
                                .c_str());
    }
    if (ok && database->Exec("COMMIT"))
        return true;
    database->Exec("ROLLBACK");
    return false;
}

} // namespace Portico
