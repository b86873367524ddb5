#include "abi/RegionTable.h"

#include <array>

namespace Portico {

namespace {

struct RegionCodes {
    uint8_t region;
    const char* codes; // two-letter codes separated by one space
};

constexpr RegionCodes kRegionCodes[] = {
    {1, "BN ID KH LA MM MY PH SG TH TL VN"},
    {2, "CN HK JP KP KR MN MO TW"},
    {3, "AF BD BT IN IO LK MV NP PK"},
    {4, "KG KZ TJ TM UZ"},
    {5, "AE AM AZ BH GE IL IQ IR JO KW LB OM PS QA SA SY YE"},
    {6, "BG BY CZ EE HU LT LV MD PL RO RU SK UA"},
    {7, "AT CH DE LI LU"},
    {8, "AD BE ES FR GB GG GI IE IM JE MC NL PT"},
    {9, "AL BA CS CY GR HR IT ME MK MT RS SI SM TR VA"},
    {10, "AX DK FI FO IS NO SE SJ"},
    {11, "AR BO BR CL CO EC FK GF GS PA PE PY SV UY"},
    {12, "AG AI AN AW BB BL BM BS BZ CA CR CU DM DO GD GL GP GT GY HN HT JM KN KY LC MF MQ MS "
         "MX NI PM PR TC TT UM US VC VE VG VI"},
    {13, "AO BF BI BJ BW CD CF CG CI CM CV DJ DZ EG EH ER ET GA GH GM GN GQ GW KE KM LR LS LY "
         "MA MG ML MR MU MW MZ NA NE NG RE RW SC SD SH SL SN SO SR ST SZ TD TF TG TN TZ UG YT "
         "ZA ZM ZW"},
    {14, "AS AU CC CK CX FJ FM GU HM KI MH MP NC NF NR NU NZ PF PG PN PW SB TK TO TV VU WF WS"},
    {15, "AQ BV"},
};

constexpr size_t CodeCount(const char* codes) {
    size_t length = 0;
    while (codes[length])
        ++length;
    return (length + 1) / 3;
}

constexpr size_t TotalRows() {
    size_t rows = 0;
    for (const RegionCodes& group : kRegionCodes)
        rows += CodeCount(group.codes);
    return rows;
}

constexpr bool WellFormed(const char* codes) {
    for (size_t i = 0; codes[i]; ++i) {
        bool letter = codes[i] >= 'A' && codes[i] <= 'Z';
        if ((i % 3 == 2) ? codes[i] != ' ' : !letter)
            return false;
    }
    return true;
}

constexpr bool AllWellFormed() {
    for (const RegionCodes& group : kRegionCodes)
        if (!WellFormed(group.codes) || group.region < 1 ||
            group.region > RegionTable::kRegionCount)
            return false;
    return true;
}

static_assert(AllWellFormed(), "codes are upper-case letter pairs separated by one space");
static_assert(TotalRows() == RegionTable::kRows, "the region table has 247 rows");

constexpr size_t kLetterPairs = 26 * 26;

constexpr size_t PairIndex(char first, char second) {
    return static_cast<size_t>(first - 'A') * 26 + static_cast<size_t>(second - 'A');
}

// Region of every pair of upper-case letters, made by the compiler.
constexpr std::array<uint8_t, kLetterPairs> RegionByPair() {
    std::array<uint8_t, kLetterPairs> regions{};
    for (const RegionCodes& group : kRegionCodes)
        for (size_t i = 0; i < CodeCount(group.codes); ++i)
            regions[PairIndex(group.codes[3 * i], group.codes[3 * i + 1])] = group.region;
    return regions;
}

constexpr std::array<uint8_t, kLetterPairs> kRegionByPair = RegionByPair();

constexpr size_t FilledPairs() {
    size_t filled = 0;
    for (uint8_t region : kRegionByPair)
        filled += region != 0 ? 1 : 0;
    return filled;
}

static_assert(FilledPairs() == RegionTable::kRows, "a country code appears in one region only");

constexpr bool IsLetter(uint8_t c) {
    return c >= 'A' && c <= 'Z';
}

} // namespace

uint8_t RegionTable::Lookup(uint16_t code) {
    auto first = static_cast<uint8_t>(code >> 8);
    auto second = static_cast<uint8_t>(code & 0xFF);
    if (!IsLetter(first) || !IsLetter(second))
        return 0;
    return kRegionByPair[PairIndex(static_cast<char>(first), static_cast<char>(second))];
}

size_t RegionTable::RowCount() {
    return FilledPairs();
}

} // namespace Portico
