// A room's server lists for the tests: each fetch takes the next list, after waiting at its
// gate when the test closed it.
#pragma once

#include "Eventually.h"
#include "serverlist/RoomServerSource.h"

#include <condition_variable>
#include <mutex>
#include <vector>

namespace Portico::Test {

class GatedSource : public RoomServerSource {
public:
    // The list of the next fetch not yet planned; a closed gate holds that fetch until Open.
    void Plan(std::vector<ServerAddress> list, bool gated = false) {
        std::lock_guard<std::mutex> guard(lock);
        fetches.push_back({std::move(list), !gated});
    }
    void Open(size_t fetch) {
        std::lock_guard<std::mutex> guard(lock);
        fetches.at(fetch).open = true;
        changed.notify_all();
    }
    // True when n fetches have begun, within the tests' patience.
    bool AwaitStarted(size_t n) {
        return TestSupport::Eventually([&] {
            std::lock_guard<std::mutex> guard(lock);
            return started >= n;
        });
    }

    std::vector<ServerAddress> FetchRoomServers() override {
        std::unique_lock<std::mutex> guard(lock);
        const size_t n = started++;
        if (n >= fetches.size())
            return {};
        changed.wait(guard, [&] { return fetches[n].open; });
        current = fetches[n].list;
        return current;
    }
    std::vector<ServerAddress> CurrentServers() override {
        std::lock_guard<std::mutex> guard(lock);
        return current;
    }

private:
    struct Fetch {
        std::vector<ServerAddress> list;
        bool open;
    };
    std::mutex lock; // guards everything below
    std::condition_variable changed;
    std::vector<Fetch> fetches;
    std::vector<ServerAddress> current;
    size_t started = 0;
};

} // namespace Portico::Test
