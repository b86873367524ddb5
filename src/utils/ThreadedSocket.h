// The socket handle, run flag and receive thread shared by Utils::UdpSocket and
// Utils::ClientSocket. Close wakes the thread by shutting the socket down, waits for it to end
// and never terminates it.
#pragma once

#include "SocketShim.h"

#include <atomic>
#include <cstdint>
#include <functional>
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
    ~ThreadedSocket() { Close(); }

    // Sets running and runs loop on a new thread; false when a thread runs already or none
    // could be started.
    bool StartThread(std::function<void()> loop);
    bool OnOwnThread() const;

    std::atomic<SocketShim::Handle> socket{SocketShim::kNoSocket};
    std::atomic<bool> running{false};
    uint32_t wakeMs = kWakeMs;
    std::thread thread;
    // Guards thread and the closing of socket. Taken by Close and by starting a thread, never
    // by the receive thread, so that Close may wait for that thread while holding it.
    std::recursive_mutex lifecycleLock;

private:
    void StopReceiving();
};

} // namespace Utils
