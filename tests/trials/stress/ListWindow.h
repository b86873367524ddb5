// A list window as the core meets it (the browser's server list, the chat-room panel's list):
// rows that keep the record pointers of messages 0x2001, emptied by 0x2002, read later through
// the lock of the records' owner. It lives on the window thread and now and then answers
// slowly, which holds up the thread that sent the message.
#pragma once

#include "WindowThread.h"

#include "common/MessageWindow.h"
#include "query/QueryScheduler.h"
#include "storage/Favourites.h"

#include <cstdint>
#include <random>
#include <vector>

namespace Trials {

struct WindowFigures {
    uint64_t records = 0;  // 0x2001 handled
    uint64_t answered = 0; // of them, records of servers that replied
    uint64_t refills = 0;  // 0x2002
    uint64_t playerLists = 0;
    uint64_t slowAnswers = 0;
    uint64_t badRecords = 0; // a record or player list that no server could have sent
};

class ListWindow : public Portico::MessageWindow {
public:
    // favourites: where the records of ShowFavourites live (null for a window without them).
    ListWindow(WindowThread& thread, Portico::QueryScheduler& scheduler,
               Portico::Favourites* favourites, uint32_t seed);

    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // The rest runs on the window thread.
    // While set, records come from the favourites (ShowFavourites sends them).
    void SetShowingFavourites(bool showing) { showingFavourites = showing; }
    // Before ClearAll of the scheduler, and before the favourites are replaced or one removed.
    void DeleteSchedulerRows() { DeleteRows(false); }
    void DeleteFavouriteRows() { DeleteRows(true); }
    void DeleteFavouriteRowsOf(const Portico::ServerAddress& address);
    // Reads every row, as drawing the list does.
    void ReadRows();
    // Copies of the rows that show servers of the scheduler.
    std::vector<Portico::ServerRecord> SchedulerRows();
    size_t RowCount() const { return rows.size(); }
    const WindowFigures& Figures() const { return figures; }

private:
    struct Row {
        const Portico::ServerRecord* record;
        bool favourite;
    };

    intptr_t Handle(uint32_t message, intptr_t lParam);
    void AddOrUpdate(const Portico::ServerRecord* record);
    Portico::ServerRecord Read(const Row& row);
    void Check(const Portico::ServerRecord& record);
    void CheckPlayers(const Portico::PlayerList& players);
    void DeleteRows(bool favourite);
    void MaybeAnswerSlowly();

    WindowThread& thread;
    Portico::QueryScheduler& scheduler;
    Portico::Favourites* favourites;
    std::mt19937 random;
    bool showingFavourites = false;
    std::vector<Row> rows;
    WindowFigures figures;
};

} // namespace Trials
