// What the plug-in asked of the host, one line per call, in order: the script driver prints
// it and waits on it.
#pragma once

#include <string>
#include <vector>

namespace Lumora {

class HostLog {
public:
    static HostLog& Instance();

    void Add(const std::wstring& line) { lines.push_back(line); }
    bool Contains(const std::wstring& text) const;
    const std::vector<std::wstring>& Lines() const { return lines; }

private:
    std::vector<std::wstring> lines;
};

// printf-style wide formatting into a std::wstring.
std::wstring Format(const wchar_t* format, ...);

} // namespace Lumora
