#include "abi/GameHook.h"
#include "browser/GameServerReport.h"
#include "plugin/HookBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Portico {
namespace {

TEST(GameHook, TheHookReadsTheBlockAsThePluginWroteIt) {
    std::vector<uint8_t> block(kHookBlockBytes, 0xCC);
    FillHookBlock(block.data(), 0x8001F00Du, "Player1", 7);
    HookBlockContents contents = ReadHookBlock(block.data());
    EXPECT_EQ(contents.window, 0x8001F00Du);
    EXPECT_EQ(contents.userName, "Player1");

    // A full name field has no terminator: the name ends with the block.
    const std::string full = "abcdefghijklmnopqrstuvwxyz";
    FillHookBlock(block.data(), 1, full.data(), full.size());
    contents = ReadHookBlock(block.data());
    EXPECT_EQ(contents.userName, full.substr(0, kHookNameBytes));
}

TEST(GameHook, TheBrowserReadsTheReportedServerBack) {
    GameServerReport browser;
    const HookReport report = HookServerReport(0x7F010203u, 27016);
    const GameServerReport::Outcome outcome = browser.Take(1003, report.wParam, report.lParam);
    EXPECT_EQ(outcome.ip, 0x7F010203u);
    EXPECT_EQ(outcome.port, 27016);
    // The port's two bytes lie most significant first, as a socket holds them.
    const auto* bytes = reinterpret_cast<const uint8_t*>(&report.wParam);
    EXPECT_EQ(bytes[0], 0x69);
    EXPECT_EQ(bytes[1], 0x88);
}

} // namespace
} // namespace Portico
