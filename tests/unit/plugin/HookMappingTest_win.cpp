#include "plugin/HookBlock.h"
#include "plugin/win/HookMapping.h"
#include "plugin/win/ShareRestrictedSD.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace Portico {
namespace {

// Reads the block back through a second handle, as the game-side hook does.
std::string ReadBlock() {
    HANDLE handle = OpenFileMappingW(FILE_MAP_READ, FALSE, kHookMappingName);
    if (!handle)
        return {};
    const void* view = MapViewOfFile(handle, FILE_MAP_READ, 0, 0, kHookBlockBytes);
    std::string bytes;
    if (view)
        bytes.assign(static_cast<const char*>(view), kHookBlockBytes);
    UnmapViewOfFile(view);
    CloseHandle(handle);
    return bytes;
}

TEST(ShareRestrictedSD, GivesWorldAccessAttributes) {
    ShareRestrictedSD security;
    SECURITY_ATTRIBUTES* attributes = security.Attributes();
    ASSERT_NE(attributes, nullptr);
    EXPECT_EQ(attributes->nLength, sizeof(SECURITY_ATTRIBUTES));
    EXPECT_FALSE(attributes->bInheritHandle);
    BOOL present = FALSE, defaulted = TRUE;
    PACL list = nullptr;
    ASSERT_TRUE(
        GetSecurityDescriptorDacl(attributes->lpSecurityDescriptor, &present, &list, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->AceCount, 1);
}

TEST(HookMapping, HoldsWindowAndNameUntilReleased) {
    HookMapping mapping;
    EXPECT_FALSE(mapping.IsCreated());
    ASSERT_TRUE(mapping.Create(reinterpret_cast<HWND>(uintptr_t(0x1234)), L"Player1"));
    EXPECT_TRUE(mapping.IsCreated());
    std::string block = ReadBlock();
    ASSERT_EQ(block.size(), kHookBlockBytes);
    EXPECT_EQ(block.substr(0, 4), std::string("\x34\x12\x00\x00", 4));
    EXPECT_EQ(block.substr(4, 7), "Player1");
    EXPECT_EQ(block.substr(11), std::string(13, '\0'));

    // A second creation keeps the one block and rewrites it.
    ASSERT_TRUE(
        mapping.Create(reinterpret_cast<HWND>(uintptr_t(0x5678)),
                       L"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"));
    block = ReadBlock();
    EXPECT_EQ(block.substr(0, 2), "\x78\x56");
    // Eleven two-byte letters: ten fit.
    std::string ten;
    for (int i = 0; i < 10; ++i)
        ten += "\xC3\xA9";
    EXPECT_EQ(block.substr(4), ten);

    mapping.Release();
    EXPECT_FALSE(mapping.IsCreated());
    EXPECT_TRUE(ReadBlock().empty());
}

} // namespace
} // namespace Portico
