// Winsock start-up for programs that own their process: the tools and the test programs. The
// plug-in never makes one: its host has started Winsock before loading it.
#pragma once

#include "utils/SocketShim.h"

namespace Utils {

class SocketStartup {
public:
    SocketStartup() : started(SocketShim::StartUp()) {}
    ~SocketStartup() {
        if (started)
            SocketShim::CleanUp();
    }
    SocketStartup(const SocketStartup&) = delete;
    SocketStartup& operator=(const SocketStartup&) = delete;

    bool Started() const { return started; }

private:
    bool started;
};

} // namespace Utils
