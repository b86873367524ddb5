// Failed saves: a save that cannot be written (the file read-only, its folder gone, the database
// locked by another process for longer than the busy timeout, the disk full) must say so in its
// result and leave the stored data as it was; once the cause is gone the next save succeeds.
// The plug-in writes no log, its failures are results: this program prints each of them.
//
//   trial_failed_saves [--rounds N]   (default 1)
#include "ChildProcess.h"
#include "FileFaults.h"
#include "StoreKind.h"
#include "TrialHost.h"

#include "TempFolder.h"

#include "storage/DatabaseSqlite.h"
#include "storage/UserStore.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

using namespace Trials;

namespace {

constexpr uint32_t kBefore = kSmallGenerations + 1; // what the store holds when the fault comes
constexpr uint32_t kAfter = 2;                      // bigger: its save must grow the file
constexpr int kLockLineMs = 60000;                  // a liveness bound for the lock holder

// The child: takes the database's exclusive lock and keeps it until its input ends.
int HoldLockUntilTold(const char* file) {
    Utils::DatabaseSqlite database;
    if (!database.Open(file) || !database.Exec("BEGIN EXCLUSIVE")) {
        std::printf("not locked\n");
        return 3;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) {
    }
    database.Exec("ROLLBACK");
    return 0;
}

bool StartLockHolder(ChildProcess& holder, const std::string& program, const std::string& file) {
    std::string line;
    return holder.Start(program, {"--hold-lock", file}) && holder.ReadLine(line, kLockLineMs) &&
           line == "locked";
}

void ReleaseLock(ChildProcess& holder) {
    holder.CloseInput();
    holder.Wait();
}

// Each makes its fault, runs the save of kAfter under it and takes the fault away again. made
// tells whether the fault could be made at all.
using SaveUnderFault = bool (*)(const StoreKind&, TrialHost&, const std::string&, bool&);

bool SaveReadOnly(const StoreKind& kind, TrialHost& host, const std::string&, bool& made) {
    ReadOnlyFile readOnly(host.StoreFile());
    made = readOnly.Active();
    return kind.save(host, kAfter, {});
}

bool SaveFolderGone(const StoreKind& kind, TrialHost& host, const std::string&, bool& made) {
    const std::filesystem::path folder = host.UserFolder();
    std::filesystem::path away = folder;
    away += ".away";
    // The store is open when its folder goes, as when it is removed while the browser runs.
    const bool saved = kind.save(host, kAfter, [&] {
        std::error_code error;
        std::filesystem::rename(folder, away, error);
        made = !error;
    });
    std::error_code error;
    std::filesystem::rename(away, folder, error);
    return saved;
}

bool SaveLocked(const StoreKind& kind, TrialHost& host, const std::string& program, bool& made) {
    ChildProcess holder;
    const bool saved =
        kind.save(host, kAfter, [&] { made = StartLockHolder(holder, program, host.StoreFile()); });
    ReleaseLock(holder);
    return saved;
}

bool SaveDiskFull(const StoreKind& kind, TrialHost& host, const std::string&, bool& made) {
    FileSizeLimit limit(std::filesystem::file_size(host.StoreFile()));
    made = limit.Active();
    return kind.save(host, kAfter, {});
}

struct Fault {
    const char* name;
    SaveUnderFault saveUnder;
};

const Fault kFaults[] = {{"file read-only", SaveReadOnly},
                         {"folder gone", SaveFolderGone},
                         {"locked by another process", SaveLocked},
                         {"disk full", SaveDiskFull}};

const char* Result(bool value) {
    return value ? "true" : "false";
}

// The store holds kBefore; the save under the fault must fail and keep it; the next must work.
bool RunFault(const Fault& fault, const StoreKind& kind, const std::string& program) {
    TempFolder folder;
    TrialHost host(folder.Path());
    std::filesystem::create_directories(host.UserFolder());
    if (!kind.save(host, kBefore, {})) {
        std::printf("%s, %s: could not prepare the store\n", kind.name, fault.name);
        return false;
    }
    bool made = false;
    const bool saved = fault.saveUnder(kind, host, program, made);
    const Verdict kept = kind.read(host);
    const bool nextSaved = kind.save(host, kAfter, {});
    const Verdict after = kind.read(host);
    const bool passed = made && !saved && Holds(kept, kBefore) && nextSaved && Holds(after, kAfter);
    std::printf("%s, %s:%s save result %s; stored %s%s; next save result %s, stored %s: %s\n",
                kind.name, fault.name, made ? "" : " (fault not made)", Result(saved),
                Describe(kept).c_str(), Holds(kept, kBefore) ? ", as before" : "",
                Result(nextSaved), Describe(after).c_str(), passed ? "PASS" : "FAIL");
    return passed;
}

// The browser loads while another process holds the lock; the favourites stored must survive
// the save at the end of that session.
bool RunLockedLoad(const std::string& program) {
    TempFolder folder;
    TrialHost host(folder.Path());
    std::filesystem::create_directories(host.UserFolder());
    if (!SaveFavourites(host, kBefore)) {
        std::printf("favourites, locked while loading: could not prepare the store\n");
        return false;
    }
    Portico::UserStore store(host);
    bool inFavourites = false;
    uint32_t filter = 0;
    ChildProcess holder;
    const bool made = StartLockHolder(holder, program, host.StoreFile());
    const bool loaded = store.LoadUserStore(inFavourites, filter);
    ReleaseLock(holder);
    // The session goes on: the user adds a favourite, and the browser saves when it closes.
    Portico::ServerRecord added = FavouritesOf(kAfter)[0];
    store.GetFavourites().AddFavourite(added);
    const bool saved = store.SaveUserStore(inFavourites, filter);
    const Verdict kept = StoredFavourites(host);
    const bool nextSaved = SaveFavourites(host, kAfter);
    const Verdict after = StoredFavourites(host);
    const bool passed = made && Holds(kept, kBefore) && nextSaved && Holds(after, kAfter);
    std::printf("favourites, locked by another process while loading:%s load result %s, save "
                "result %s; stored %s%s; next save result %s, stored %s: %s\n",
                made ? "" : " (fault not made)", Result(loaded), Result(saved),
                Describe(kept).c_str(), Holds(kept, kBefore) ? ", as before" : "",
                Result(nextSaved), Describe(after).c_str(), passed ? "PASS" : "FAIL");
    return passed;
}

int Usage() {
    std::fprintf(stderr, "usage: trial_failed_saves [--rounds N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0)
        return HoldLockUntilTold(argv[2]);
    int rounds = 1;
    if (argc == 3 && std::strcmp(argv[1], "--rounds") == 0)
        rounds = std::atoi(argv[2]);
    else if (argc != 1)
        return Usage();
    if (rounds <= 0)
        return Usage();
    int failures = 0;
    int runs = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const StoreKind* kind : {&kFavouritesStore, &kServersStore}) {
            for (const Fault& fault : kFaults) {
                failures += !RunFault(fault, *kind, argv[0]);
                ++runs;
            }
        }
        failures += !RunLockedLoad(argv[0]);
        ++runs;
    }
    std::printf("failed saves: %d of %d cases kept the stored data and saved again: %s\n",
                runs - failures, runs, failures == 0 ? "PASS" : "FAIL");
    return failures == 0 ? 0 : 1;
}
