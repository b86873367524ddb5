#include "FileFaults.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Trials {

namespace {

constexpr uid_t kUnprivilegedUser = 65534; // "nobody" on Debian and most systems

} // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& path) : path(path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return;
    mode = status.st_mode & 07777;
    if (chmod(path.c_str(), mode & ~0222u) != 0)
        return;
    active = true;
    if (geteuid() == 0) {
        userChanged = seteuid(kUnprivilegedUser) == 0;
        active = userChanged;
    }
}

ReadOnlyFile::~ReadOnlyFile() {
    if (userChanged && seteuid(0) != 0)
        return;
    chmod(path.c_str(), mode);
}

FileSizeLimit::FileSizeLimit(uint64_t bytes) {
    rlimit limit;
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    previous = limit.rlim_cur;
    // Without this the write past the limit would end the process instead of failing.
    signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    if (!active)
        return;
    rlimit limit;
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = previous; // raising the soft limit up to the hard one needs no rights
        setrlimit(RLIMIT_FSIZE, &limit);
    }
}

} // namespace Trials
