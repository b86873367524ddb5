// Drives the plug-in's remote console window as a user would, from the dialog timer: each
// step waits until the output has been still for a moment, then types a command and presses
// Send ("@shot FILE" takes a picture instead). After the last step the console is closed;
// its output lines go to the host log as "console: LINE", also when the plug-in closes it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace Lumora {

class ConsoleRun {
public:
    // dialog: the console window; steps are separated by '|'.
    void Begin(HWND dialog, const std::string& steps);
    // One timer tick.
    void Step();

private:
    void Finish();

    HWND console = nullptr;
    std::vector<std::string> steps;
    size_t next = 0;
    std::wstring output; // the pane as last read
    std::wstring sent;   // the pane right after a command went: its answer must follow
    unsigned stillTicks = 0;
    unsigned waitedTicks = 0;
};

} // namespace Lumora
