#include "region/RegionLibrary.h"

#include "abi/LibraryFolder.h"
#include "utils/DynamicLibrary.h"

#include <cstring>
#include <utility>

namespace Portico {

namespace {

constexpr const char* kFileName = Utils::kWindows ? "Quillon.dll" : "libquillon.so";
constexpr char kEntryName[] = "RegionLookup";

} // namespace

RegionLibrary::RegionLibrary(std::string folder) : folder(std::move(folder)) {}

RegionLibrary& RegionLibrary::Instance() {
    static RegionLibrary instance;
    return instance;
}

void RegionLibrary::LoadOnce() {
    std::call_once(loaded, [this] { entry = OpenEntry(folder); });
}

uint8_t RegionLibrary::Lookup(uint32_t ip, uint8_t* out) {
    LoadOnce();
    std::memset(out, 0, kRegionLookupBytes);
    return entry ? entry(ip, out) : 0;
}

RegionLookupFn RegionLibrary::OpenEntry(const std::string& folder) {
    std::string path = folder.empty() ? LibraryFolder() : folder;
    if (path.back() != '/' && path.back() != Utils::kPathSeparator)
        path += Utils::kPathSeparator;
    const Utils::DynamicLibrary library(path + kFileName);
    return reinterpret_cast<RegionLookupFn>(library.FindEntry(kRegionLookupOrdinal, kEntryName));
}

bool RegionLibrary::IsLoaded() {
    LoadOnce();
    return entry != nullptr;
}

} // namespace Portico
