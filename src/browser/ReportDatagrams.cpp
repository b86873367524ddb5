#include "browser/ReportDatagrams.h"

namespace Portico {
namespace {

void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> ReportDatagrams::Area(uint16_t gameId, uint32_t mask) {
    std::vector<uint8_t> out{kBrowse};
    PutLittle(out, gameId, 2);
    if (mask >> 16 == 0) {
        PutLittle(out, mask, 2);
    } else {
        PutLittle(out, 0, 2);
        PutLittle(out, mask >> 16, 2);
    }
    return out;
}

std::vector<uint8_t> ReportDatagrams::Play(uint16_t gameId, uint32_t ip, uint16_t port) {
    std::vector<uint8_t> out{kPlay};
    PutLittle(out, gameId, 2);
    out.push_back(1);
    PutLittle(out, ip, 4);
    PutLittle(out, port, 2);
    return out;
}

} // namespace Portico
