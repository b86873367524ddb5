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

TEST(HookBlock, SevenLettersThenZeros) {
    const auto block = Block(0x00010A2Bu, "Player1");
    EXPECT_EQ(block[0], 0x2B);
    EXPECT_EQ(block[1], 0x0A);
    EXPECT_EQ(block[2], 0x01);
    EXPECT_EQ(block[3], 0x00);
    EXPECT_EQ(std::string(block.begin() + 4, block.begin() + 11), "Player1");
    for (size_t i = 11; i < kHookBlockBytes; ++i)
        EXPECT_EQ(block[i], 0) << "byte " << i;
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
    auto block = Block(1, threes);
    EXPECT_EQ(std::string(block.begin() + 4, block.begin() + 22), threes.substr(0, 18));
    EXPECT_EQ(block[22], 0);
    EXPECT_EQ(block[23], 0);

    // A four-byte character straddling byte 20 is left out entirely.
    const std::string mixed = std::string(18, 'a') + "\xF0\x9F\x8E\xAE" + "zz";
    block = Block(1, mixed);
    EXPECT_EQ(std::string(block.begin() + 4, block.begin() + 22), std::string(18, 'a'));
    EXPECT_EQ(block[22], 0);
    EXPECT_EQ(block[23], 0);

    // Plain ASCII beyond 20 bytes is cut at 20.
    block = Block(1, std::string(30, 'q'));
    EXPECT_EQ(std::string(block.begin() + 4, block.end()), std::string(20, 'q'));
}

TEST(HookBlock, EmptyNameClearsTheField) {
    const auto block = Block(0xFFFFFFFFu, "");
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(block[i], 0xFF);
    for (size_t i = 4; i < kHookBlockBytes; ++i)
        EXPECT_EQ(block[i], 0);
}

TEST(Utf8Cut, KeepsWholeCharacters) {
    const std::string two = "a\xC3\xA9";
    EXPECT_EQ(Utf8CutLength(two.data(), two.size(), 3), 3u);
    EXPECT_EQ(Utf8CutLength(two.data(), two.size(), 2), 1u);
    EXPECT_EQ(Utf8CutLength(two.data(), two.size(), 0), 0u);
    const std::string three = "\xE6\x97\xA5";
    EXPECT_EQ(Utf8CutLength(three.data(), three.size(), 2), 0u);
    EXPECT_EQ(Utf8CutLength(three.data(), three.size(), 1), 0u);
}

} // namespace
} // namespace Portico
