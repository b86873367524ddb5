#include "browser/FlagCache.h"

#include <algorithm>

namespace Portico {

void* FlagCache::Get(uint16_t code) {
    void*& image = images[code];
    if (!image)
        image = source.GetFlagIcon(code);
    return image;
}

void FlagCache::Clear() {
    std::fill(images.begin(), images.end(), nullptr);
}

} // namespace Portico
