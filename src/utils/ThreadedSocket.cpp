#include "ThreadedSocket.h"

#include <system_error>

namespace Utils {

namespace {

// The socket whose receive thread is the current thread, if any.
thread_local const ThreadedSocket* servedSocket = nullptr;

} // namespace

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
    // std::thread reports a failure to start only by an exception; it becomes a result here.
    try {
        thread = std::thread([this, loop] {
            servedSocket = this;
            loop();
        });
    } catch (const std::system_error&) {
        running = false;
        return false;
    }
    return true;
}

} // namespace Utils
