#include "query/ProtocolLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

namespace Portico {

namespace {

constexpr char kLibsDirVariable[] = "PORTICO_LIBS_DIR";
constexpr char kFileName[] = "libporticoman.so";
constexpr char kEntryName[] = "PorticoManEntry";

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string executable(path, size_t(length));
    const size_t slash = executable.rfind('/');
    return slash == std::string::npos ? "." : executable.substr(0, slash);
}

} // namespace

std::string ProtocolLibrary::DefaultPath() {
    const char* folder = std::getenv(kLibsDirVariable);
    if (folder && *folder)
        return std::string(folder) + "/" + kFileName;
    return ExecutableFolder() + "/dlls/" + kFileName;
}

ProtocolManager* ProtocolLibrary::Load(const std::string& path) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return nullptr;
    const auto entry = reinterpret_cast<ProtocolManagerEntry>(dlsym(module, kEntryName));
    return entry ? entry() : nullptr;
}

} // namespace Portico
