// Feeds arbitrary text to the simulator's configuration reader; what it accepts must pass the
// checks and read back the same after writing.
#include "FuzzRequire.h"
#include "SimConfigCheck.h"
#include "SimConfigText.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace Portico;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SimConfig config;
    std::string error;
    if (!ParseSimConfig(std::string(reinterpret_cast<const char*>(data), size), config, error)) {
        Require(!error.empty());
        return 0;
    }
    Require(CheckSimConfig(config, error));
    const std::string text = FormatSimConfig(config);
    SimConfig again;
    Require(ParseSimConfig(text, again, error));
    Require(FormatSimConfig(again) == text);
    return 0;
}
