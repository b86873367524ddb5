#include "region/RegionLibrary.h"

#include <cstring>
#include <utility>

namespace Portico {

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

bool RegionLibrary::IsLoaded() {
    LoadOnce();
    return entry != nullptr;
}

} // namespace Portico
