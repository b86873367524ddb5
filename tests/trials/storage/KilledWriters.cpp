// Killed writers: a child process saves one store in a loop, each save a new generation, and is
// killed with SIGKILL at a random moment. The parent then reopens the file and checks that it
// holds exactly the last finished save or the one under way, never part of one or pieces of
// two, that the other store in the same file is untouched, and that the database opens clean.
//
//   trial_killed_writers [--kills N] [--store favourites|servers] [--seed S]
//   (default: 10 kills of each store; the long form is --kills 100)
#include "ChildProcess.h"
#include "StoreKind.h"
#include "TrialHost.h"

#include "TempFolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

using namespace Trials;

namespace {

constexpr int kDefaultKills = 10;
constexpr int kFirstLineMs = 60000; // a liveness bound for a writer that never starts
constexpr uint32_t kGenerationsPerWriter = 1000;

const StoreKind* FindKind(const std::string& name) {
    if (name == kFavouritesStore.name)
        return &kFavouritesStore;
    return name == kServersStore.name ? &kServersStore : nullptr;
}

void Say(const char* what, uint32_t generation) {
    std::printf("%s %u\n", what, generation);
    std::fflush(stdout);
}

// The child: saves generation after generation until it is killed.
int RunWriter(const StoreKind& kind, const std::string& folder, uint32_t first) {
    TrialHost host(folder);
    const uint32_t last = std::min(first + kGenerationsPerWriter, kLastGeneration);
    for (uint32_t generation = first; generation <= last; ++generation) {
        const bool saved = kind.save(host, generation, [&] { Say("begin", generation); });
        Say(saved ? "done" : "failed", generation);
        if (!saved)
            return 3;
    }
    return 0;
}

struct Tally {
    int kills = 0;
    int duringSave = 0;
    int keptOld = 0; // the last finished save
    int keptNew = 0; // the save under way had committed
    int losses = 0;  // rows missing, nothing stored, or an older save than the last finished
    int mixed = 0;   // rows of two saves, or settings of another save
    int unreadable = 0;
    int otherDamaged = 0;
    int writerFailures = 0;

    int Faults() const { return losses + mixed + unreadable + otherDamaged + writerFailures; }
};

// What the writer said before it died: the last save it began and the last it finished.
struct WriterProgress {
    uint32_t begun = 0;
    uint32_t done = 0;
    bool anyDone = false;
    bool failed = false;

    void Read(const std::string& line) {
        unsigned generation = 0;
        if (std::sscanf(line.c_str(), "begin %u", &generation) == 1) {
            begun = generation;
        } else if (std::sscanf(line.c_str(), "done %u", &generation) == 1) {
            done = generation;
            anyDone = true;
        } else if (std::sscanf(line.c_str(), "failed %u", &generation) == 1) {
            failed = true;
        }
    }
};

class KillTrial {
public:
    KillTrial(const std::string& program, const StoreKind& kind, const StoreKind& other,
              std::mt19937& random)
        : program(program), kind(kind), other(other), random(random), host(folder.Path()) {}

    bool Prepare();
    bool KillOnce(Tally& tally);
    double SaveMs() const { return saveMs; }

private:
    void Judge(const WriterProgress& progress, Tally& tally);

    const std::string program;
    const StoreKind& kind;
    const StoreKind& other;
    std::mt19937& random;
    TempFolder folder;
    TrialHost host;
    double saveMs = 0;
    uint32_t stored = 0;   // the generation the store holds now
    uint32_t lastUsed = 0; // writers start after every generation used so far
};

// Generation 0 of both stores, then one timed save of the store under trial.
bool KillTrial::Prepare() {
    std::filesystem::create_directories(host.UserFolder());
    if (!kind.save(host, 0, {}) || !other.save(host, 0, {}))
        return false;
    const auto start = std::chrono::steady_clock::now();
    if (!kind.save(host, 1, {}))
        return false;
    saveMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    stored = lastUsed = 1;
    return true;
}

bool KillTrial::KillOnce(Tally& tally) {
    ChildProcess writer;
    const uint32_t first = lastUsed + 1;
    if (first + kGenerationsPerWriter > kLastGeneration ||
        !writer.Start(program,
                      {"--writer", kind.name, folder.Path().string(), std::to_string(first)})) {
        std::printf("  could not start a writer\n");
        return false;
    }
    WriterProgress progress;
    std::string line;
    if (!writer.ReadLine(line, kFirstLineMs)) {
        std::printf("  the writer never began a save\n");
        return false;
    }
    progress.Read(line);
    // Anywhere in the next two saves: every part of a save is as likely to be hit.
    std::uniform_real_distribution<double> delay(0, 2 * saveMs);
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(delay(random)));
    writer.Kill();
    writer.Wait();
    while (writer.ReadLine(line, 1000))
        progress.Read(line);
    ++tally.kills;
    Judge(progress, tally);
    return true;
}

void KillTrial::Judge(const WriterProgress& progress, Tally& tally) {
    const uint32_t finished = progress.anyDone ? progress.done : stored;
    const bool underWay = progress.begun > finished;
    tally.duringSave += underWay;
    tally.writerFailures += progress.failed;
    const bool intact = DatabaseIntact(host.StoreFile());
    const Verdict verdict = kind.read(host);
    if (!intact || verdict.state == Stored::Unreadable) {
        ++tally.unreadable;
    } else if (verdict.state == Stored::Mixed) {
        ++tally.mixed;
    } else if (Holds(verdict, finished)) {
        ++tally.keptOld;
    } else if (underWay && Holds(verdict, progress.begun)) {
        ++tally.keptNew;
    } else {
        ++tally.losses;
    }
    const bool otherKept = Holds(other.read(host), 0);
    tally.otherDamaged += !otherKept;
    if (!intact || !otherKept || !(Holds(verdict, finished) || Holds(verdict, progress.begun)))
        std::printf("  kill %d: writer began %u, finished %u; store holds %s%s%s\n", tally.kills,
                    progress.begun, finished, Describe(verdict).c_str(),
                    intact ? "" : "; integrity check failed",
                    otherKept ? "" : "; the other store changed");
    lastUsed = std::max(lastUsed, progress.begun);
    // After a fault the trial goes on from what the store holds, if it holds one generation.
    stored = verdict.state == Stored::Generation ? verdict.generation : finished;
}

bool RunKills(const std::string& program, const StoreKind& kind, const StoreKind& other, int kills,
              std::mt19937& random) {
    KillTrial trial(program, kind, other, random);
    if (!trial.Prepare()) {
        std::printf("%s: could not prepare the store\n", kind.name);
        return false;
    }
    std::printf("%s: %d kills, one save takes about %.0f ms here\n", kind.name, kills,
                trial.SaveMs());
    Tally tally;
    bool ran = true;
    for (int i = 0; i < kills && ran; ++i)
        ran = trial.KillOnce(tally);
    std::printf("  kills %d (during a save %d, between saves %d)\n", tally.kills, tally.duringSave,
                tally.kills - tally.duringSave);
    std::printf("  stored afterwards: the last finished save %d, the save under way %d\n",
                tally.keptOld, tally.keptNew);
    std::printf("  losses %d, mixed states %d, open errors %d, other store damaged %d, "
                "failed saves %d\n",
                tally.losses, tally.mixed, tally.unreadable, tally.otherDamaged,
                tally.writerFailures);
    const bool passed = ran && tally.Faults() == 0;
    std::printf("  %s: %s\n", kind.name, passed ? "PASS" : "FAIL");
    return passed;
}

int Usage() {
    std::fprintf(stderr, "usage: trial_killed_writers [--kills N] [--store favourites|servers] "
                         "[--seed S]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--writer") == 0) {
        const StoreKind* kind = FindKind(argv[2]);
        return kind ? RunWriter(*kind, argv[3], uint32_t(std::strtoul(argv[4], nullptr, 10)))
                    : Usage();
    }
    int kills = kDefaultKills;
    std::string only;
    unsigned seed = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return Usage();
        const char* value = argv[++i];
        if (option == "--kills")
            kills = std::atoi(value);
        else if (option == "--store" && FindKind(value))
            only = value;
        else if (option == "--seed")
            seed = unsigned(std::strtoul(value, nullptr, 10));
        else
            return Usage();
    }
    if (kills <= 0)
        return Usage();
    std::printf("killed writers: seed %u\n", seed);
    std::mt19937 random(seed);
    bool passed = true;
    if (only.empty() || only == kFavouritesStore.name)
        passed = RunKills(argv[0], kFavouritesStore, kServersStore, kills, random) && passed;
    if (only.empty() || only == kServersStore.name)
        passed = RunKills(argv[0], kServersStore, kFavouritesStore, kills, random) && passed;
    std::printf("killed writers: %s\n", passed ? "PASS" : "FAIL");
    return passed ? 0 : 1;
}
