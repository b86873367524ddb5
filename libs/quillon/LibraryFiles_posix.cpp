#include "LibraryFiles.h"

#include "utils/ExecutableFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace Portico {

namespace {

// The folder of the shared object this code lives in.
std::string LibraryFolder() {
    static const int kHere = 0;
    return Utils::ModuleFolder(&kHere);
}

bool ReadWhole(const std::string& path, size_t maxBytes, std::vector<char>& bytes) {
    bytes.clear();
    int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    struct stat status {};
    bool ok = fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= 0 &&
              static_cast<unsigned long long>(status.st_size) <= maxBytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(status.st_size));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            ssize_t got = read(file, bytes.data() + done, bytes.size() - done);
            ok = got > 0;
            done += ok ? static_cast<size_t>(got) : 0;
        }
    }
    close(file);
    if (!ok)
        bytes.clear();
    return ok;
}

// A file beside the library; never one of the working folder when the library's is unknown.
bool ReadBeside(const char* name, size_t maxBytes, std::vector<char>& bytes) {
    std::string folder = LibraryFolder();
    bytes.clear();
    return !folder.empty() && ReadWhole(folder + name, maxBytes, bytes);
}

} // namespace

bool LibraryFiles::ReadTable(std::vector<char>& bytes) {
    return ReadBeside(kTableFile, kMaxTableBytes, bytes);
}

bool LibraryFiles::ReadOverride(std::vector<char>& bytes, size_t maxBytes) {
    const char* named = std::getenv(kOverrideVariable);
    return named && *named ? ReadWhole(named, maxBytes, bytes)
                           : ReadBeside(kOverrideFile, maxBytes, bytes);
}

} // namespace Portico
