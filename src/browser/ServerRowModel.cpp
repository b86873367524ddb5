#include "browser/ServerRowModel.h"

#include "browser/ServerRowOrder.h"
#include "browser/ServerRowText.h"

namespace Portico {
namespace {

bool Passes(const ServerRecord& record, const RowFilter& filter) {
    if (record.gameId != filter.gameId)
        return false;
    if (filter.favouritesOnly && record.direct == 0)
        return false;
    // A record that never answered has time 0 and always passes.
    return filter.pingLimit == 0 || record.time <= filter.pingLimit;
}

struct SortContext {
    std::unordered_map<const ServerRecord*, ServerRecord> copies;
    int32_t key;
};

int CompareRows(const ServerRecord* a, const ServerRecord* b, void* context) {
    if (!a || !b)
        return int(a == nullptr) - int(b == nullptr); // rows without a record last
    const auto* sort = static_cast<const SortContext*>(context);
    return CompareServerRows(sort->copies.at(a), sort->copies.at(b), sort->key);
}

} // namespace

ServerRowModel::Shown ServerRowModel::Show(const ServerRecord* record, const ServerRecord& copy,
                                           const RowFilter& filter) {
    if (!record || !Passes(copy, filter))
        return {};
    flags.Get(copy.Country());

    const int32_t count = rows.Count();
    int32_t found = count, insertAt = count;
    for (int32_t row = 0; row < count && (found == count || insertAt == count); ++row) {
        const ServerRecord* other = rows.RecordAt(row);
        if (!other)
            continue;
        const RowKey& key = KeyOf(other);
        if (found == count && key.address == copy.Address())
            found = row;
        if (insertAt == count && key.time >= copy.time)
            insertAt = row;
    }

    Shown shown;
    const std::array<std::u16string, kServerColumns> texts = RowTexts(copy);
    if (found < count) {
        shown.row = found;
        rows.SetText(found, kColumnCountry, texts[kColumnCountry]);
        const ServerRecord* old = rows.RecordAt(found);
        if (old != record)
            keys.erase(old);
    } else {
        shown.row = rows.Insert(insertAt, texts[kColumnCountry]);
        if (shown.row < 0)
            return {};
        shown.inserted = true;
    }
    for (int32_t column = kColumnName; column < kServerColumns; ++column)
        rows.SetText(shown.row, column, texts[column]);
    rows.SetRecord(shown.row, record);
    keys[record] = {copy.Address(), copy.time};
    return shown;
}

void ServerRowModel::Clear() {
    rows.DeleteAll();
    keys.clear();
}

void ServerRowModel::Delete(int32_t row) {
    keys.erase(rows.RecordAt(row));
    rows.Delete(row);
}

void ServerRowModel::Sort(int32_t key) {
    SortContext context{{}, key};
    const int32_t count = rows.Count();
    for (int32_t row = 0; row < count; ++row) {
        const ServerRecord* record = rows.RecordAt(row);
        if (record)
            context.copies.emplace(record, records.Copy(record));
    }
    rows.Sort(CompareRows, &context);
}

int32_t ServerRowModel::Find(const ServerAddress& address) {
    const int32_t count = rows.Count();
    for (int32_t row = 0; row < count; ++row) {
        const ServerRecord* record = rows.RecordAt(row);
        if (record && KeyOf(record).address == address)
            return row;
    }
    return -1;
}

bool ServerRowModel::AddressAt(int32_t row, ServerAddress& out) {
    const ServerRecord* record = rows.RecordAt(row);
    if (!record)
        return false;
    out = KeyOf(record).address;
    return true;
}

std::vector<ServerRecord> ServerRowModel::SelectedRecords() {
    std::vector<ServerRecord> selected;
    const int32_t count = rows.Count();
    for (int32_t row = 0; row < count; ++row) {
        const ServerRecord* record = rows.RecordAt(row);
        if (record && rows.IsSelected(row))
            selected.push_back(records.Copy(record));
    }
    return selected;
}

void ServerRowModel::UpdatePlayerCount(int32_t row, const ServerAddress& server, uint32_t count) {
    const ServerRecord* record = rows.RecordAt(row);
    if (!record)
        return;
    const ServerRecord copy = records.Copy(record);
    const uint8_t players = uint8_t(count > 255 ? 255 : count); // the record's field is a byte
    if (copy.Address() != server || copy.info.players == players)
        return;
    records.SetPlayers(record, players);
    rows.SetText(row, kColumnPlayers, PlayersText(players, copy.info.maxPlayers));
}

const ServerRowModel::RowKey& ServerRowModel::KeyOf(const ServerRecord* record) {
    auto found = keys.find(record);
    if (found == keys.end()) {
        const ServerRecord copy = records.Copy(record);
        found = keys.emplace(record, RowKey{copy.Address(), copy.time}).first;
    }
    return found->second;
}

} // namespace Portico
