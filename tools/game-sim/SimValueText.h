// The value codecs of the simulator's configuration text: trimming, numbers, flags, the bar
// separated lists and the escapes of text values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

using Values = std::vector<std::string>;

// Sets error to why and returns false, for one-line failure returns.
bool SimFail(std::string& error, const std::string& why);

std::string Trim(const std::string& text);
std::string Lower(std::string text);
bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t& value);
bool ParseSigned(const std::string& text, int32_t& value);
bool ParseReal(const std::string& text, double& value);
std::string RealText(double value, int digits);
// yes/on/true/1 and no/off/false/0, in any case.
bool ParseFlag(const std::string& text, bool& value);
// Splits at the bars that are not escaped; the escapes stay for UnescapeValue.
Values SplitBars(const std::string& raw);

// Value escapes: \\ \n \r \t \| \xHH. False for an unknown or cut escape.
bool UnescapeValue(const std::string& raw, std::string& text);
std::string EscapeValue(const std::string& text);

} // namespace Portico
