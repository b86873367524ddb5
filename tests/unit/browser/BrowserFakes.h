// The browser's controls, dialogs and record owners as vectors and logs, for the tests.
#pragma once

#include "browser/BrowserHost.h"
#include "browser/BrowserView.h"
#include "browser/FlagCache.h"
#include "browser/PlayerRows.h"
#include "browser/RecordAccess.h"
#include "browser/ServerRows.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Portico::Test {

class VectorServerRows : public ServerRows {
public:
    struct Row {
        const ServerRecord* record = nullptr;
        std::u16string texts[6];
        bool selected = false;
    };

    int32_t Count() override { return int32_t(rows.size()); }
    const ServerRecord* RecordAt(int32_t row) override { return rows.at(size_t(row)).record; }
    int32_t Insert(int32_t row, const std::u16string& code) override {
        Row added;
        added.texts[0] = code;
        rows.insert(rows.begin() + row, added);
        return row;
    }
    void SetText(int32_t row, int32_t column, const std::u16string& text) override {
        rows.at(size_t(row)).texts[column] = text;
    }
    void SetRecord(int32_t row, const ServerRecord* record) override {
        rows.at(size_t(row)).record = record;
    }
    bool IsSelected(int32_t row) override { return rows.at(size_t(row)).selected; }
    void Delete(int32_t row) override { rows.erase(rows.begin() + row); }
    void DeleteAll() override { rows.clear(); }
    void DeselectAll() override {
        for (Row& row : rows)
            row.selected = false;
    }
    void Sort(Compare compare, void* context) override {
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            return compare(a.record, b.record, context) < 0;
        });
    }

    // Column texts of every row, top to bottom.
    std::vector<std::u16string> Column(int32_t column) const {
        std::vector<std::u16string> texts;
        for (const Row& row : rows)
            texts.push_back(row.texts[column]);
        return texts;
    }

    std::vector<Row> rows;
};

class VectorPlayerRows : public PlayerRows {
public:
    int32_t Count() override { return int32_t(rows.size()); }
    std::u16string Name(int32_t row) override { return rows.at(size_t(row))[0]; }
    int32_t Append(const std::u16string& name) override {
        rows.push_back({name, u"", u""});
        return int32_t(rows.size()) - 1;
    }
    void SetText(int32_t row, int32_t column, const std::u16string& text) override {
        rows.at(size_t(row)).at(size_t(column)) = text;
    }
    void Delete(int32_t row) override {
        deleted.push_back(row);
        rows.erase(rows.begin() + row);
    }
    void DeleteAll() override { rows.clear(); }

    std::vector<std::vector<std::u16string>> rows;
    std::vector<int32_t> deleted; // in the order of the deletions
};

// Reads records plainly: for tests whose records no other thread writes.
class PlainRecords : public RecordAccess {
public:
    ServerRecord Copy(const ServerRecord* record) override { return *record; }
    void SetPlayers(const ServerRecord* record, uint8_t players) override {
        const_cast<ServerRecord*>(record)->info.players = players;
    }
};

class CountingFlags : public FlagSource {
public:
    void* GetFlagIcon(uint16_t code) override {
        ++asked[code];
        return images.count(code) ? images[code] : nullptr;
    }
    std::map<uint16_t, void*> images;
    std::map<uint16_t, int> asked;
};

class RecordingView : public BrowserView {
public:
    void SetRefreshText(uint32_t textId) override { refreshText = textId; }
    void EnableRefresh(bool enabled) override { refreshEnabled = enabled; }
    void SetActionText(uint32_t) override {}
    void ShowTree(bool) override {}
    void StartTimer(uint32_t id, uint32_t ms) override { timers[id] = ms; }
    void StopTimer(uint32_t id) override { timers.erase(id); }

    uint32_t refreshText = 0;
    bool refreshEnabled = true;
    std::map<uint32_t, uint32_t> timers; // running timers and their periods
};

class RecordingHost : public BrowserHost {
public:
    struct Launched {
        ServerAddress address;
        std::optional<std::u16string> password;
    };

    void ShowMessage(uint32_t textId) override { messages.push_back(textId); }
    bool AskAddress(std::u16string& text) override {
        offeredAddress = text;
        return Answer(typedAddress, text);
    }
    bool AskPassword(std::u16string& password) override { return Answer(typedPassword, password); }
    void Launch(const ServerAddress& address, const std::u16string* password) override {
        launches.push_back({address, password ? std::optional(*password) : std::nullopt});
    }
    void OpenConsole(const ServerAddress& address, GameProtocol&) override {
        consoles.push_back(address);
    }
    void ReportGameStatus(int32_t status) override { statuses.push_back(status); }
    void Announce(uint32_t ip, uint16_t port) override { announced.push_back({ip, port, 0}); }

    std::optional<std::u16string> typedAddress, typedPassword; // nullopt: Cancel
    std::u16string offeredAddress;
    std::vector<uint32_t> messages;
    std::vector<Launched> launches;
    std::vector<ServerAddress> consoles;
    std::vector<int32_t> statuses;
    std::vector<ServerAddress> announced;

private:
    static bool Answer(const std::optional<std::u16string>& typed, std::u16string& text) {
        if (typed)
            text = *typed;
        return typed.has_value();
    }
};

constexpr uint16_t Code(char first, char second) {
    return uint16_t(uint8_t(first) << 8 | uint8_t(second));
}

// The way the game side passes an address: its bytes in network order in memory.
inline uint32_t NetworkIp(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    const uint8_t bytes[4] = {a, b, c, d};
    uint32_t value;
    std::memcpy(&value, bytes, 4);
    return value;
}

inline uintptr_t NetworkPort(uint16_t port) {
    const uint8_t bytes[2] = {uint8_t(port >> 8), uint8_t(port)};
    uint16_t value;
    std::memcpy(&value, bytes, 2);
    return value;
}

// A replied record of game 1 with a time, players and a two-letter country.
inline ServerRecord Replied(uint32_t ip, uint64_t time, uint8_t players = 1,
                            uint8_t maxPlayers = 16, const char* country = "DE") {
    ServerRecord record{};
    record.ip = ip;
    record.port = 27015;
    record.gameId = 1;
    record.time = time;
    record.status = kStatusReplied;
    record.countryCode[0] = country[0];
    record.countryCode[1] = country[1];
    record.info.players = players;
    record.info.maxPlayers = maxPlayers;
    return record;
}

} // namespace Portico::Test
