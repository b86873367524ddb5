// The plug-in's side of the region library: loaded on first use, by whichever thread needs it,
// and kept for the life of the process. Without the library or its entry every address has
// region 0 and no country.
#pragma once

#include "abi/RegionLookup.h"

#include <cstdint>
#include <mutex>
#include <string>

namespace Portico {

class RegionLibrary {
public:
    // folder: where the library file lies (UTF-8). Empty: the default folder, which is the host
    // executable's folder + "dlls\" on Windows, and on Linux the folder named by PORTICO_LIBS_DIR
    // or else the running executable's folder + "dlls/".
    explicit RegionLibrary(std::string folder = {});
    RegionLibrary(const RegionLibrary&) = delete;
    RegionLibrary& operator=(const RegionLibrary&) = delete;

    // The process-wide instance over the default folder.
    static RegionLibrary& Instance();

    // Region number of ip (host byte order), 0 = none. out (kRegionLookupBytes bytes) receives
    // the country letters and the extra byte; all zero when the library is missing.
    uint8_t Lookup(uint32_t ip, uint8_t* out);
    bool IsLoaded();

private:
    void LoadOnce();
    // Opens the library in folder (empty: the default one) and finds its entry; null when
    // either is missing. The module is never released.
    static RegionLookupFn OpenEntry(const std::string& folder);

    const std::string folder;
    std::once_flag loaded;
    RegionLookupFn entry = nullptr; // written once under `loaded`, read-only afterwards
};

} // namespace Portico
