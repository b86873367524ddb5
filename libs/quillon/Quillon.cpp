#include "Quillon.h"

#include "CountryDatabase.h"
#include "LibraryFiles.h"

#include <vector>

namespace {

using Portico::CountryDatabase;
using Portico::CountryOverrides;
using Portico::LibraryFiles;

CountryDatabase LoadDatabase() {
    CountryDatabase database;
    std::vector<char> bytes;
    if (LibraryFiles::ReadTable(bytes))
        database.LoadTable(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (LibraryFiles::ReadOverride(bytes, CountryOverrides::kMaxFileBytes))
        database.LoadOverrides(bytes.data(), bytes.size());
    return database;
}

// Loaded by the first call, whichever thread makes it (never from DllMain: file reads under
// the loader lock are unsafe); later calls only read it.
const CountryDatabase& Database() {
    static const CountryDatabase database = LoadDatabase();
    return database;
}

} // namespace

extern "C" unsigned char PORTICO_REGION_CALL RegionLookup(uint32_t ip, unsigned char* out) {
    if (!out)
        return 0;
    return Database().Lookup(ip, out);
}
