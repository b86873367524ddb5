// A security descriptor whose access list lets every account (the world identifier) open an
// object, for the block that a game running under another account reads.
#pragma once

#include <windows.h>

namespace Portico {

class ShareRestrictedSD {
public:
    ShareRestrictedSD();
    virtual ~ShareRestrictedSD();
    ShareRestrictedSD(const ShareRestrictedSD&) = delete;
    ShareRestrictedSD& operator=(const ShareRestrictedSD&) = delete;

    // Null when the descriptor could not be built.
    SECURITY_ATTRIBUTES* Attributes() { return accessList ? &attributes : nullptr; }

private:
    bool Build();

    PACL accessList = nullptr; // from the process heap, zero-filled
    SECURITY_ATTRIBUTES attributes{};
    SECURITY_DESCRIPTOR descriptor{};
};

} // namespace Portico
