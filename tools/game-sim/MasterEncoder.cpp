#include "MasterEncoder.h"

#include <algorithm>

namespace Portico {

SimBytes EncodeValveMasterPage(const std::vector<SimAddress>& list, size_t first, size_t page) {
    SimWriter out;
    out.Raw(kSimHeader).Byte(0x66).Byte(0x0A);
    const size_t end = first + std::min(page, list.size() > first ? list.size() - first : 0);
    for (size_t i = first; i < end; ++i)
        out.Address(list[i].ip).Port(list[i].port);
    if (end >= list.size())
        out.Address(0).Port(0);
    return out.Take();
}

std::vector<SimBytes> EncodeQuakeMasterReplies(const std::vector<SimAddress>& list, size_t page) {
    page = std::max<size_t>(page, 1);
    std::vector<SimBytes> replies;
    size_t first = 0;
    do {
        SimWriter out;
        out.Raw(kSimHeader).Raw("getserversResponse");
        const size_t end = std::min(list.size(), first + page);
        for (size_t i = first; i < end; ++i)
            out.Byte('\\').Address(list[i].ip).Port(list[i].port);
        out.Raw(std::string("\\EOT\0\0\0", 7));
        replies.push_back(out.Take());
        first = end;
    } while (first < list.size());
    return replies;
}

} // namespace Portico
