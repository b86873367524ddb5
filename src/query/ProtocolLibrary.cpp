#include "query/ProtocolLibrary.h"

#include "abi/LibraryFolder.h"
#include "utils/DynamicLibrary.h"

#include <mutex>

namespace Portico {

namespace {

constexpr const char* kFileName = Utils::kWindows ? "PorticoMan.dll" : "libporticoman.so";
constexpr uint16_t kEntryOrdinal = 1;
constexpr char kEntryName[] = "PorticoManEntry";

} // namespace

ProtocolManager* ProtocolLibrary::Manager() {
    static std::once_flag once;
    static ProtocolManager* manager = nullptr;
    std::call_once(once, [] { manager = Load(DefaultPath()); });
    return manager;
}

std::string ProtocolLibrary::DefaultPath() {
    return LibraryFolder() + kFileName;
}

ProtocolManager* ProtocolLibrary::Load(const std::string& path) {
    const Utils::DynamicLibrary library(path);
    const auto entry =
        reinterpret_cast<ProtocolManagerEntry>(library.FindEntry(kEntryOrdinal, kEntryName));
    return entry ? entry() : nullptr;
}

} // namespace Portico
