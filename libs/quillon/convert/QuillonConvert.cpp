// Build-time tool: turns the IPv4 country database of geoip-database (GeoIP.dat, read through
// libGeoIP) into the compact range table Quillon.dat that the region library loads.
// Usage: quillon_convert GeoIP.dat Quillon.dat

#include "../RangeTableFormat.h"

#include <GeoIP.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Run {
    uint32_t first;
    char letters[2];
};

bool IsCodeLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Walks the address space block by block (each lookup tells the size of its block) and joins
// neighbouring blocks of one country into runs. Unknown addresses get two zero letters.
bool CollectRuns(GeoIP* database, std::vector<Run>& runs) {
    uint64_t ip = 0;
    while (ip <= 0xFFFFFFFFull) {
        GeoIPLookup lookup{};
        int id = GeoIP_id_by_ipnum_gl(database, static_cast<unsigned long>(ip), &lookup);
        // Address 0 is answered without a walk and without a block size: a block of its own.
        uint64_t size =
            lookup.netmask >= 1 && lookup.netmask <= 32 ? uint64_t{1} << (32 - lookup.netmask) : 1;
        const char* code = id > 0 ? GeoIP_code_by_id(id) : nullptr;
        Run run{static_cast<uint32_t>(ip), {0, 0}};
        if (code && std::string(code) != "--") {
            if (std::string(code).size() != 2 || !IsCodeLetter(code[0]) || !IsCodeLetter(code[1])) {
                std::fprintf(stderr, "quillon_convert: odd country code '%s'\n", code);
                return false;
            }
            run.letters[0] = code[0];
            run.letters[1] = code[1];
        }
        if (runs.empty() || runs.back().letters[0] != run.letters[0] ||
            runs.back().letters[1] != run.letters[1])
            runs.push_back(run);
        ip = (ip | (size - 1)) + 1;
    }
    return true;
}

void PutU32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(value >> shift & 0xFF);
}

// Writes beside the target and renames, so that a failed run never leaves half a table.
bool WriteTable(const std::vector<Run>& runs, const std::string& path) {
    std::string image(Portico::kRangeTableMagic, sizeof Portico::kRangeTableMagic);
    PutU32(image, static_cast<uint32_t>(runs.size()));
    for (const Run& run : runs) {
        PutU32(image, run.first);
        image.append(run.letters, 2);
    }
    std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    ok = std::fclose(file) == 0 && ok;
    return ok && std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillon_convert GeoIP.dat Quillon.dat\n");
        return 2;
    }
    GeoIP* database = GeoIP_open(argv[1], GEOIP_MEMORY_CACHE | GEOIP_SILENCE);
    if (!database || GeoIP_database_edition(database) != GEOIP_COUNTRY_EDITION) {
        std::fprintf(stderr, "quillon_convert: %s is not an IPv4 country database\n", argv[1]);
        return 1;
    }
    std::vector<Run> runs;
    bool collected = CollectRuns(database, runs);
    GeoIP_delete(database);
    if (!collected || runs.size() > Portico::kRangeTableMaxRuns) {
        std::fprintf(stderr, "quillon_convert: %s cannot be converted\n", argv[1]);
        return 1;
    }
    if (!WriteTable(runs, argv[2])) {
        std::fprintf(stderr, "quillon_convert: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("quillon_convert: %zu runs written to %s\n", runs.size(), argv[2]);
    return 0;
}
