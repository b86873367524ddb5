#include "utils/ExecutableFolder.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace Utils {

namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

} // namespace

std::string ExecutableFolder() {
    std::vector<char> path(4096);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length <= 0)
            return {};
        if (size_t(length) < path.size())
            return FolderOf(std::string(path.data(), size_t(length)));
        path.resize(path.size() * 2);
    }
}

std::string ModuleFolder(const void* address) {
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname)
        return {};
    return FolderOf(info.dli_fname);
}

} // namespace Utils
