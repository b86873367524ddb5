#include "ListWindow.h"

#include "common/Messages.h"
#include "utils/Utf.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace Trials {

namespace {

constexpr uint32_t kSlowOneIn = 40;
constexpr uint32_t kSlowMinMs = 5;
constexpr uint32_t kSlowMaxMs = 40;

bool Loopback(uint32_t ip) {
    return ip >> 24 == 127;
}

} // namespace

ListWindow::ListWindow(WindowThread& thread, Portico::QueryScheduler& scheduler,
                       Portico::Favourites* favourites, uint32_t seed)
    : thread(thread), scheduler(scheduler), favourites(favourites), random(seed) {}

intptr_t ListWindow::Send(uint32_t message, uintptr_t, intptr_t lParam) {
    return thread.Deliver([=] { return Handle(message, lParam); });
}

intptr_t ListWindow::Handle(uint32_t message, intptr_t lParam) {
    MaybeAnswerSlowly();
    if (message == Portico::kMsgListRefill) {
        ++figures.refills;
        rows.clear();
    } else if (message == Portico::kMsgServerRecord) {
        AddOrUpdate(reinterpret_cast<const Portico::ServerRecord*>(lParam));
    } else if (message == Portico::kMsgPlayerList) {
        CheckPlayers(*reinterpret_cast<const Portico::PlayerList*>(lParam));
    }
    return 0;
}

void ListWindow::AddOrUpdate(const Portico::ServerRecord* record) {
    const bool favourite = showingFavourites && favourites;
    auto found = std::find_if(rows.begin(), rows.end(),
                              [&](const Row& row) { return row.record == record; });
    if (found == rows.end())
        rows.push_back(Row{record, favourite});
    else
        found->favourite = favourite;
    const Portico::ServerRecord copy = Read(Row{record, favourite});
    ++figures.records;
    Check(copy);
    if (copy.status == Portico::kStatusReplied) {
        ++figures.answered;
        // The browser's row handler keeps a favourite seen in a server list current.
        if (!favourite && favourites)
            favourites->RefreshFavourite(copy);
    }
}

Portico::ServerRecord ListWindow::Read(const Row& row) {
    return row.favourite ? favourites->CopyRecord(row.record) : scheduler.CopyRecord(row.record);
}

void ListWindow::Check(const Portico::ServerRecord& record) {
    const bool named = Utils::Utf::BoundedLength(record.info.name, 128) < 128 &&
                       Utils::Utf::BoundedLength(record.info.map, 128) < 128;
    const bool address = record.port != 0 && Loopback(record.ip);
    if (!named || !address || record.status > Portico::kStatusReplied)
        ++figures.badRecords;
}

void ListWindow::CheckPlayers(const Portico::PlayerList& players) {
    ++figures.playerLists;
    if (!Loopback(players.address.ip))
        ++figures.badRecords;
    for (uint32_t i = 0; i < players.entries.Size(); ++i) {
        const char* name = players.entries[i].name;
        if (Utils::Utf::BoundedLength(name, sizeof players.entries[i].name) >=
            sizeof players.entries[i].name)
            ++figures.badRecords;
    }
}

void ListWindow::DeleteRows(bool favourite) {
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const Row& row) { return row.favourite == favourite; }),
               rows.end());
}

void ListWindow::DeleteFavouriteRowsOf(const Portico::ServerAddress& address) {
    rows.erase(std::remove_if(
                   rows.begin(), rows.end(),
                   [&](const Row& row) { return row.favourite && Read(row).Address() == address; }),
               rows.end());
}

void ListWindow::ReadRows() {
    for (const Row& row : rows)
        Check(Read(row));
}

std::vector<Portico::ServerRecord> ListWindow::SchedulerRows() {
    std::vector<Portico::ServerRecord> copies;
    for (const Row& row : rows) {
        if (!row.favourite)
            copies.push_back(Read(row));
    }
    return copies;
}

void ListWindow::MaybeAnswerSlowly() {
    if (random() % kSlowOneIn != 0)
        return;
    ++figures.slowAnswers;
    std::uniform_int_distribution<uint32_t> ms(kSlowMinMs, kSlowMaxMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms(random)));
}

} // namespace Trials
