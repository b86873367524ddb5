#include "region/RegionLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace Portico {

namespace {

constexpr char kLibraryFile[] = "libquillon.so";
constexpr char kEntryName[] = "RegionLookup";

// The running executable's folder + "dlls/", or PORTICO_LIBS_DIR when it is set.
std::string DefaultFolder() {
    if (const char* env = std::getenv("PORTICO_LIBS_DIR"); env && *env)
        return env;
    std::vector<char> path(4096);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            return {};
        if (static_cast<size_t>(length) < path.size()) {
            std::string exe(path.data(), static_cast<size_t>(length));
            return exe.substr(0, exe.rfind('/') + 1) + "dlls/";
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

RegionLookupFn RegionLibrary::OpenEntry(const std::string& folder) {
    std::string path = folder.empty() ? DefaultFolder() : folder;
    if (path.empty())
        return nullptr;
    if (path.back() != '/')
        path += '/';
    path += kLibraryFile;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return nullptr;
    return reinterpret_cast<RegionLookupFn>(dlsym(module, kEntryName));
}

} // namespace Portico
