// The socket handle, run flag and receive thread shared by Utils::UdpSocket and
// Utils::ClientSocket. Close wakes the thread by shutting the socket down, waits for it to end
// and never terminates it. A socket may be closed or destroyed from its own callbacks.
#pragma once

#include "utils/SocketShim.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace Utils {

class ThreadedSocket {
public:
    ThreadedSocket(const ThreadedSocket&) = delete;
    ThreadedSocket& operator=(const ThreadedSocket&) = delete;

    bool IsRunning() const { return running; }
    // A longer wait for programs with very many sockets, whose threads would otherwise wake
    // thousands of times a second (Wine then starves the process's other sockets). Before
    // the thread starts.
    void SetWakeMs(uint32_t ms) { wakeMs = ms; }

    // Stops the receive thread and closes the socket; idempotent, returns within about its
    // wake period (kWakeMs unless set). Called from the socket's own callbacks it only stops
    // the thread (it cannot wait for itself); the next Close from another thread, or the
    // destructor, finishes the job.
    void Close();

protected:
    // Bytes one receive call may take.
    static constexpr uint32_t kReceiveBytes = 4096;
    // Longest wait of a receive thread before it looks at the run flag again, for platforms
    // where a shutdown does not wake a waiting thread.
    static constexpr uint32_t kWakeMs = 200;

    ThreadedSocket() = default;
    ~ThreadedSocket();

    // Sets running and runs loop on a new thread; false when a thread runs already or none
    // could be started.
    bool StartThread(std::function<void()> loop);
    bool OnOwnThread() const;
    // Runs a callback; false when it destroyed the socket, which must then not be touched.
    template <typename Callback> bool Survives(Callback&& callback) {
        const std::shared_ptr<Lifeline> keep = lifeline;
        callback();
        return !keep->gone;
    }

    std::atomic<SocketShim::Handle> socket{SocketShim::kNoSocket};
    std::atomic<bool> running{false};
    uint32_t wakeMs = kWakeMs;
    std::thread thread;
    // Guards thread, lifeline and the closing of socket. Taken by Close and by starting a
    // thread; by the receive thread only when a callback destroys the object (then no other
    // thread may be closing it), so that Close may wait for that thread while holding it.
    std::recursive_mutex lifecycleLock;

private:
    // What a receive thread keeps of its socket, so that it can end after a callback that
    // destroyed the object. Touched only on that thread once it runs.
    struct Lifeline {
        bool gone = false;
        // Left by a destructor that ran on the receive thread, for the thread to close.
        SocketShim::Handle orphan = SocketShim::kNoSocket;
    };

    void StopReceiving();
    void LeaveToOwnThread();

    std::shared_ptr<Lifeline> lifeline;
};

} // namespace Utils
