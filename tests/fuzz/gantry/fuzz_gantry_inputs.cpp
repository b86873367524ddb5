// What the game-side hook reads that another process wrote: the game's command line (the
// input's byte pairs are its UTF-16 units) and the shared block (the input's first 24 bytes).
#include "CommandLineWords.h"
#include "FuzzRequire.h"
#include "abi/GameHook.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string line(size / 2, u'\0');
    if (!line.empty())
        std::memcpy(&line[0], data, line.size() * 2);
    const auto words = Portico::SplitCommandLine(line);
    Require(words.size() <= Portico::kMaxWords);
    size_t units = 0;
    for (const auto& word : words)
        units += word.size();
    Require(units <= Portico::kMaxChars);
    uint32_t ip = 0;
    uint16_t port = 0;
    if (Portico::FindConnectTarget(words, ip, port))
        Require(port != 0);

    if (size >= Portico::kHookBlockBytes) {
        const Portico::HookBlockContents block = Portico::ReadHookBlock(data);
        Require(block.userName.size() <= Portico::kHookNameBytes);
        Require(block.userName.find('\0') == std::string::npos);
    }
    return 0;
}
