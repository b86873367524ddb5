// Fetches the room's server list on one worker thread and hands it to the chat-room panel's
// window by message (kMsgRoomServers: wParam count, lParam the addresses). Fetches run one at
// a time and the latest request wins: the list of a fetch that a later request or a cancel
// overtook is dropped, whether it is still being fetched or already waits for the window.
#pragma once

#include "abi/ProtocolInterface.h"
#include "common/MessageWindow.h"
#include "serverlist/RoomServerSource.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace Portico {

class RoomListFetcher {
public:
    RoomListFetcher(RoomServerSource& source, MessageWindow& window)
        : source(source), window(window) {}
    // Stops without handling the window's messages: the window thread must not be the caller
    // while a list may be on its way (Stop with a pump is for that).
    ~RoomListFetcher();
    RoomListFetcher(const RoomListFetcher&) = delete;
    RoomListFetcher& operator=(const RoomListFetcher&) = delete;

    // A new room: its list is fetched once the fetch under way (if any) has ended.
    void Request();
    // No list is wanted any more (the room was left).
    void Cancel();
    // Asked on the window thread while it handles kMsgRoomServers: true only when the list in
    // hand belongs to the latest request and no cancel came after it.
    bool Wanted();
    // Ends the worker, waiting for a fetch under way; pump handles the messages sent to the
    // calling thread meanwhile (a list may be on its way to it). No request is taken after.
    void Stop(const std::function<void()>& pump);

private:
    void Run();

    RoomServerSource& source;
    MessageWindow& window;
    // Guards everything below; never held across a fetch or a window message.
    std::mutex lock;
    std::condition_variable wake;
    uint64_t requested = 0;  // the latest request's number
    uint64_t wanted = 0;     // the request whose list is taken; 0 after a cancel
    uint64_t taken = 0;      // the request the worker took up last
    uint64_t delivering = 0; // the request whose list is being sent; 0 when none
    bool stopping = false;
    bool finished = false;
    std::thread worker; // started by the first request
};

} // namespace Portico
