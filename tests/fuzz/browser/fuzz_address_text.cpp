// Texts typed into the New Address dialog: the input's byte pairs are the UTF-16 units.
#include "browser/AddressText.h"
#include "utils/ResolveHost.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// No name is looked up while fuzzing: hosts starting with a digit resolve, others do not.
uint32_t Resolve(const char* host) {
    return host[0] >= '0' && host[0] <= '9' ? uint32_t(std::strlen(host)) : Utils::kNoAddress;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(&text[0], data, text.size() * 2);

    const std::u16string cut = Portico::AddressText::Cut(text);
    if (cut.size() > Portico::AddressText::kMaxUnits || text.compare(0, cut.size(), cut) != 0)
        std::abort();
    // A pair is never split: a cut text ends in a first half only where the input did.
    if (!cut.empty() && cut.size() < text.size() && IsHighSurrogate(cut.back()) &&
        text[cut.size()] >= 0xDC00 && text[cut.size()] <= 0xDFFF)
        std::abort();

    const Portico::AddressText::Result result = Portico::AddressText::Parse(text, 1003, Resolve);
    if (result.messageId == 0 && (result.address.port == 0 || result.address.gameId != 1003))
        std::abort();
    if (result.messageId != 0 && result.messageId != Portico::AddressText::kNoColonText &&
        result.messageId != Portico::AddressText::kUnusableText)
        std::abort();
    return 0;
}
