// UTF-8 and UTF-16: the one decoder and encoder for text that crosses the program's
// boundaries, and the copies into the fixed text fields of records. The caller chooses what a
// malformed UTF-8 sequence becomes; a lone UTF-16 surrogate always becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Utils {
namespace Utf {

constexpr char32_t kReplacement = 0xFFFD;

// What a malformed UTF-8 sequence becomes.
enum class Malformed {
    Replace, // one U+FFFD for the bad lead byte and the continuation bytes that follow it
    Latin1,  // each byte that starts no valid sequence is the Latin-1 character of its value
};

// The character at the start of text (not empty); used receives the units it took.
char32_t Decode(std::string_view text, size_t& used, Malformed malformed);
char32_t Decode(std::u16string_view text, size_t& used);

std::u16string ToUtf16(std::string_view text, Malformed malformed = Malformed::Replace);
std::string ToUtf8(std::u16string_view text);

// Copies text into a field of capacity units, NUL-terminated: the copy stops at a NUL in text
// and is cut between whole characters where the rest does not fit. Capacity 0 writes nothing.
void CopyToField(char16_t* field, size_t capacity, std::string_view text, Malformed malformed);
void CopyToField(char* field, size_t capacity, std::string_view text, Malformed malformed);
void CopyToField(char16_t* field, size_t capacity, std::u16string_view text);

// Length up to the first NUL, never beyond max.
size_t BoundedLength(const char16_t* text, size_t max);
size_t BoundedLength(const char* text, size_t max);

} // namespace Utf
} // namespace Utils
