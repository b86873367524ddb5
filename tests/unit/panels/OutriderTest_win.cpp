// The buddy-selection library as the plug-in loads it: by ordinal from the dlls folder.
#include "panels/OutriderLibrary.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace Portico;

namespace {

class OutriderTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                               nullptr, nullptr, nullptr);
        ASSERT_NE(view, nullptr);
        buddies = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, view,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(buddies, nullptr);
        AddBuddy(L"buddy 11", 11);
        AddBuddy(L"buddy 22", 0xFEDCBA98u);
        library.SetView(view);
    }
    void TearDown() override { DestroyWindow(view); }

    void AddBuddy(const wchar_t* text, uint32_t key) {
        const LRESULT line = SendMessageW(buddies, LB_ADDSTRING, 0, LPARAM(text));
        SendMessageW(buddies, LB_SETITEMDATA, WPARAM(line), LPARAM(key));
    }

    HWND view = nullptr, buddies = nullptr;
    OutriderLibrary library;
};

TEST_F(OutriderTest, TheSelectedLinesKeyComesBack) {
    ASSERT_TRUE(library.IsLoaded());
    uint32_t key = 99;
    ASSERT_TRUE(library.SelectedBuddy(key));
    EXPECT_EQ(key, 0u); // nobody selected yet
    SendMessageW(buddies, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(library.SelectedBuddy(key));
    EXPECT_EQ(key, 0xFEDCBA98u);
    SendMessageW(buddies, LB_SETCURSEL, 0, 0);
    ASSERT_TRUE(library.SelectedBuddy(key));
    EXPECT_EQ(key, 11u);
}

TEST_F(OutriderTest, AViewWithoutABuddyListSelectsNobody) {
    library.SetView(buddies); // a list box holds no list box
    uint32_t key = 99;
    ASSERT_TRUE(library.SelectedBuddy(key));
    EXPECT_EQ(key, 0u);
}

} // namespace
