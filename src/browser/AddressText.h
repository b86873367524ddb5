// The text of the New Address dialog turned into a server: "host:port", split at the first
// colon, the host resolved, the port read as a decimal number up to its first non-digit.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>
#include <string>

namespace Portico {

class AddressText {
public:
    static constexpr size_t kMaxUnits = 31; // what the dialog hands back of a longer text
    static constexpr uint32_t kNoColonText = 103;
    static constexpr uint32_t kUnusableText = 104;

    using Resolver = uint32_t (*)(const char* host); // Utils::ResolveHost's contract

    struct Result {
        uint32_t messageId = 0; // the language text to show; 0 when address holds the server
        ServerAddress address{};
    };

    // The dialog's text cut to kMaxUnits without splitting a surrogate pair.
    static std::u16string Cut(const std::u16string& text);
    // A host that does not resolve, a port that reads as 0 or does not fit 16 bits: text 104.
    static Result Parse(const std::u16string& text, uint16_t gameId, Resolver resolve);
};

} // namespace Portico
