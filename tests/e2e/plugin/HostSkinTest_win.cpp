// The stand-in host's skin library on its own: its popup menus while the host runs a script.
#include "ScriptedMenu.h"

#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace Portico::E2e {
namespace {

// The skin's popup menu while a script runs: the armed item is picked once, as a user's pick
// would be; without an armed item, or with one the menu does not offer, nothing is picked.
TEST(HostSkin, ScriptedPopupMenuPicksTheArmedItemOnce) {
    HMODULE skin =
        LoadLibraryW(Utils::WideFromUtf8(Utils::ExecutableFolder() + "LumoraSkin1.dll").c_str());
    ASSERT_NE(skin, nullptr);
    using TrackFn = BOOL(WINAPI*)(HMENU, UINT, int, int, HWND);
    const auto track = reinterpret_cast<TrackFn>(
        reinterpret_cast<void*>(GetProcAddress(skin, "TrackSkinPopupMenu")));
    ASSERT_NE(track, nullptr);
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 2304, L"Join");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 2305, L"Add");
    SetEnvironmentVariableW(Lumora::kScriptRunningVariable, L"1");
    const auto picked = [&] {
        MSG message;
        return PeekMessageW(&message, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE)
                   ? int(LOWORD(message.wParam))
                   : 0;
    };
    EXPECT_FALSE(track(menu, 0, 0, 0, owner));
    EXPECT_EQ(picked(), 0);
    SetEnvironmentVariableW(Lumora::kMenuPickVariable, L"2304");
    EXPECT_TRUE(track(menu, 0, 0, 0, owner));
    EXPECT_EQ(picked(), 2304);
    EXPECT_FALSE(track(menu, 0, 0, 0, owner)) << "a pick is used once";
    SetEnvironmentVariableW(Lumora::kMenuPickVariable, L"2305");
    EXPECT_FALSE(track(menu, 0, 0, 0, owner)) << "greyed out";
    SetEnvironmentVariableW(Lumora::kMenuPickVariable, L"2306");
    EXPECT_FALSE(track(menu, 0, 0, 0, owner)) << "not in the menu";
    EXPECT_EQ(picked(), 0);
    SetEnvironmentVariableW(Lumora::kMenuPickVariable, L"2304");
    EXPECT_EQ(track(menu, TPM_RETURNCMD, 0, 0, owner), 2304);
    EXPECT_EQ(picked(), 0);
    SetEnvironmentVariableW(Lumora::kScriptRunningVariable, nullptr);
    DestroyMenu(menu);
    DestroyWindow(owner);
    FreeLibrary(skin);
}

} // namespace
} // namespace Portico::E2e
