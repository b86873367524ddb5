#include "plugin/HookBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Portico {
namespace {

std::vector<uint8_t> Block(uint32_t window, const std::string& name) {
    std::vector<uint8_t> block(kHookBlockBytes, 0xCC);
    FillHookBlock(block.data(), window, name.data(), name.size());
    return block;
}

TEST(HookBlock, WindowLittleEndianThenTheNameThenZeros) {
    auto block = Block(0x00010A2Bu, "Player1");
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 4),
              (std::vector<uint8_t>{0x2B, 0x0A, 0x01, 0x00}));
    EXPECT_EQ(std::string(block.begin() + 4, block.end()), "Player1" + std::string(13, '\0'));
    block = Block(0xFFFFFFFFu, "");
    EXPECT_EQ(std::string(block.begin() + 4, block.end()), std::string(20, '\0'));
}

TEST(HookBlock, ExactlyTwentyBytesFillTheFieldWithoutTerminator) {
    // Six two-byte letters and eight ASCII letters: 20 bytes.
    const std::string name = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                             "abcdefgh";
    ASSERT_EQ(name.size(), 20u);
    const auto block = Block(1, name);
    EXPECT_EQ(std::string(block.begin() + 4, block.end()), name);
}

TEST(HookBlock, LongerNamesAreCutBeforeASplitCharacter) {
    // Seven three-byte characters: 21 bytes; only six fit whole.
    std::string threes;
    for (int i = 0; i < 7; ++i)
        threes += "\xE6\x97\xA5";
    const auto block = Block(1, threes);
    EXPECT_EQ(std::string(block.begin() + 4, block.end()),
              threes.substr(0, 18) + std::string(2, '\0'));
}

} // namespace
} // namespace Portico
