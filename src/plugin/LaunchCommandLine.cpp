#include "plugin/LaunchCommandLine.h"

namespace Portico {
namespace {

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// Unquoted, a blank in the path would make the system try the shorter paths first and the
// game read its own name as several arguments.
std::u16string ExecutableArgument(const std::u16string& executable) {
    const bool blank = executable.find_first_of(u" \t") != std::u16string::npos;
    const bool quoted = executable.size() >= 2 && executable.front() == u'"';
    return blank && !quoted ? u"\"" + executable + u"\"" : executable;
}

} // namespace

bool BuildCommandLine(const LaunchArguments& arguments, std::u16string& line) {
    std::u16string text = ExecutableArgument(arguments.executable) + u' ' + arguments.fixed + u' ' +
                          arguments.parameters + u' ' + arguments.connect;
    if (arguments.password)
        text += u" +password " + *arguments.password;
    // A line cut to fit could name another server or password: it is not started at all.
    if (text.size() >= kCommandLineChars)
        return false;
    line = std::move(text);
    return true;
}

std::u16string WorkingFolder(const std::u16string& executable) {
    size_t last = executable.size();
    while (last > 0 && !IsSeparator(executable[last - 1]))
        --last;
    if (last == 0)
        return {};
    // "C:" alone would be the drive's current folder, not its root.
    const bool driveRoot = last == 3 && executable[1] == u':';
    return executable.substr(0, driveRoot || last == 1 ? last : last - 1);
}

} // namespace Portico
