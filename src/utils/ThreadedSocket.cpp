#include "utils/ThreadedSocket.h"

#include <exception>

namespace Utils {

namespace {

// The socket whose receive thread is the current thread, if any.
thread_local const ThreadedSocket* servedSocket = nullptr;

} // namespace

ThreadedSocket::~ThreadedSocket() {
    if (OnOwnThread())
        LeaveToOwnThread();
    else
        Close();
}

// The thread cannot wait for itself: it is let go, and closes the handle once the callback
// that destroys the object has returned (until then the callback may still use it). The lock
// waits for a Start or Connect that has not yet let go of the object.
void ThreadedSocket::LeaveToOwnThread() {
    std::lock_guard<std::recursive_mutex> guard(lifecycleLock);
    running = false;
    lifeline->orphan = socket.exchange(SocketShim::kNoSocket);
    lifeline->gone = true;
    thread.detach();
    // A socket made later at the same address on this thread is not this one.
    servedSocket = nullptr;
}

bool ThreadedSocket::OnOwnThread() const {
    return servedSocket == this;
}

void ThreadedSocket::StopReceiving() {
    running = false;
    const SocketShim::Handle handle = socket;
    if (handle != SocketShim::kNoSocket)
        SocketShim::Shutdown(handle);
}

void ThreadedSocket::Close() {
    // The handle stays open while the thread may use it: no one closes it before the join.
    if (OnOwnThread()) {
        StopReceiving();
        return;
    }
    std::lock_guard<std::recursive_mutex> guard(lifecycleLock);
    StopReceiving();
    if (thread.joinable())
        thread.join();
    const SocketShim::Handle handle = socket.exchange(SocketShim::kNoSocket);
    if (handle != SocketShim::kNoSocket)
        SocketShim::CloseSocket(handle);
}

bool ThreadedSocket::StartThread(std::function<void()> loop) {
    std::lock_guard<std::recursive_mutex> guard(lifecycleLock);
    if (thread.joinable())
        return false;
    running = true;
    // std::thread and the allocation report failures only by exceptions; they become a result.
    try {
        lifeline = std::make_shared<Lifeline>();
        thread = std::thread([this, loop, keep = lifeline] {
            servedSocket = this;
            loop();
            if (keep->orphan != SocketShim::kNoSocket)
                SocketShim::CloseSocket(keep->orphan);
        });
    } catch (const std::exception&) {
        running = false;
        return false;
    }
    return true;
}

} // namespace Utils
