// The causes that make a save fail, made for the length of a scope.
#pragma once

#include <cstdint>
#include <string>

namespace Trials {

// The file loses its write permission. A process with root's rights ignores permissions, so it
// also acts as an unprivileged user until the end of the scope (single-threaded callers only).
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool Active() const { return active; }

private:
    std::string path;
    unsigned mode = 0;
    bool active = false;
    bool userChanged = false;
};

// No file of this process may grow beyond the limit, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return active; }

private:
    uint64_t previous = 0;
    bool active = false;
};

} // namespace Trials
