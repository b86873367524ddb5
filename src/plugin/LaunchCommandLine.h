// The command line that starts a game on a server, and the folder it starts in.
#pragma once

#include <cstddef>
#include <string>

namespace Portico {

// The longest command line a launch writes, with its terminator.
constexpr size_t kCommandLineChars = 1024;

struct LaunchArguments {
    std::u16string executable;
    std::u16string fixed;      // the game's own arguments
    std::u16string parameters; // the user's extra parameters, from the host
    std::u16string connect;    // the game's arguments for the server
    const std::u16string* password = nullptr;
};

// "executable fixed parameters connect", then " +password password" when there is a password.
// An executable path with a blank is quoted. False, and line untouched, when the whole line
// does not fit kCommandLineChars with its terminator.
bool BuildCommandLine(const LaunchArguments& arguments, std::u16string& line);

// The executable's path without its last component; a drive's root keeps its separator
// ("C:\"); empty when the path names no folder.
std::u16string WorkingFolder(const std::u16string& executable);

} // namespace Portico
