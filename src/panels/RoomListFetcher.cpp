#include "panels/RoomListFetcher.h"

#include "common/Messages.h"

#include <vector>

namespace Portico {

RoomListFetcher::~RoomListFetcher() {
    Stop(nullptr);
}

void RoomListFetcher::Request() {
    std::lock_guard<std::mutex> guard(lock);
    if (stopping)
        return;
    wanted = ++requested;
    if (!worker.joinable())
        worker = std::thread(&RoomListFetcher::Run, this);
    wake.notify_all();
}

void RoomListFetcher::Cancel() {
    std::lock_guard<std::mutex> guard(lock);
    wanted = 0;
}

bool RoomListFetcher::Wanted() {
    std::lock_guard<std::mutex> guard(lock);
    return delivering != 0 && delivering == wanted;
}

void RoomListFetcher::Stop(const std::function<void()>& pump) {
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
        if (!worker.joinable())
            return;
    }
    wake.notify_all();
    if (pump) {
        for (;;) {
            {
                std::lock_guard<std::mutex> guard(lock);
                if (finished)
                    break;
            }
            pump();
        }
    }
    worker.join();
}

void RoomListFetcher::Run() {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        wake.wait(guard, [this] { return stopping || taken != requested; });
        if (stopping)
            break;
        const uint64_t ticket = taken = requested;
        if (wanted != ticket)
            continue; // cancelled before it began
        guard.unlock();
        const std::vector<ServerAddress> servers = source.FetchRoomServers();
        guard.lock();
        if (stopping || servers.empty() || wanted != ticket)
            continue;
        delivering = ticket;
        guard.unlock();
        window.Send(kMsgRoomServers, servers.size(), reinterpret_cast<intptr_t>(servers.data()));
        guard.lock();
        delivering = 0;
    }
    finished = true;
}

} // namespace Portico
