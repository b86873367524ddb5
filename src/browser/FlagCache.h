// Flag images by country code, fetched from the host's language library the first time a code
// is drawn or listed. Used on the window thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Portico {

// Where the images come from (the language library's flag icons; tests give their own).
class FlagSource {
public:
    // The code's image, null when there is none. The cache never releases it.
    virtual void* GetFlagIcon(uint16_t code) = 0;

protected:
    ~FlagSource() = default;
};

class FlagCache {
public:
    explicit FlagCache(FlagSource& source) : source(source), images(kCodes, nullptr) {}

    // The code's image; a code without one is asked for again at its next use.
    void* Get(uint16_t code);
    // Forgets every image (the browser window does this when it is made).
    void Clear();

private:
    static constexpr size_t kCodes = 65536;

    FlagSource& source;
    std::vector<void*> images; // by country code
};

} // namespace Portico
