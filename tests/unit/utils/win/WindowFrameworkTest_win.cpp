#include "utils/win/DialogImplT.h"
#include "utils/win/MessageMap.h"
#include "utils/win/WindowImplT.h"

#include <gtest/gtest.h>

#include <vector>

namespace Utils {
namespace {

constexpr UINT kPing = WM_APP + 1;

class Counter : public WindowImplT<Counter> {
public:
    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(kPing, OnPing)
    PORTICO_COMMAND_ID_HANDLER(77, OnCommand)
    PORTICO_REFLECT_NOTIFICATIONS()
    PORTICO_END_MSG_MAP()

    int pings = 0;
    int commands = 0;
    bool finalSeen = false;
    bool passCommandOn = false;

private:
    LRESULT OnPing(UINT, WPARAM, LPARAM, bool&) { return ++pings; }
    LRESULT OnCommand(WORD, WORD, HWND, bool& handled) {
        ++commands;
        handled = !passCommandOn;
        return 0;
    }
    void OnFinalMessage(HWND) override { finalSeen = true; }
};

// Catches what its parent reflects back to it.
class Catcher : public WindowImplT<Catcher> {
public:
    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message < kReflectedBase || message > kReflectedBase + 0x1000)
            return false;
        reflected.push_back(message);
        result = 5;
        return true;
    }
    std::vector<UINT> reflected;
};

// Stands for a host window's own procedure under our subclass.
class HostProcedure : public WindowImplT<HostProcedure> {
public:
    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT&) {
        seen += message == WM_NOTIFY || message == WM_COMMAND;
        return false;
    }
    int seen = 0;
};

class WindowFramework : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPED, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        child = CreateWindowExW(0, L"BUTTON", L"child", WS_CHILD, 0, 0, 50, 20, parent,
                                reinterpret_cast<HMENU>(intptr_t(77)), GetModuleHandleW(nullptr),
                                nullptr);
        ASSERT_NE(parent, nullptr);
        ASSERT_NE(child, nullptr);
    }
    void TearDown() override {
        if (IsWindow(parent))
            DestroyWindow(parent);
    }
    HWND parent = nullptr;
    HWND child = nullptr;
};

TEST_F(WindowFramework, SubclassingTwiceOrNothingIsRefused) {
    Counter counter;
    EXPECT_FALSE(counter.SubclassWindow(nullptr));
    ASSERT_TRUE(counter.SubclassWindow(parent));
    EXPECT_FALSE(counter.SubclassWindow(parent));
    EXPECT_FALSE(counter.SubclassWindow(child));
    EXPECT_EQ(SendMessageW(parent, kPing, 0, 0), 1);
    EXPECT_EQ(counter.pings, 1);
    EXPECT_EQ(counter.Hwnd(), parent);
}

TEST_F(WindowFramework, UnhandledMessagesReachTheOwnProcedure) {
    Counter counter;
    ASSERT_TRUE(counter.SubclassWindow(parent));
    SetWindowTextW(parent, L"renamed");
    wchar_t text[16] = {};
    GetWindowTextW(parent, text, 16);
    EXPECT_STREQ(text, L"renamed");
    counter.UnsubclassWindow();
    SendMessageW(parent, kPing, 0, 0);
    EXPECT_EQ(counter.pings, 0);
    ASSERT_TRUE(counter.SubclassWindow(parent));
    SendMessageW(parent, kPing, 0, 0);
    EXPECT_EQ(counter.pings, 1);
}

TEST_F(WindowFramework, CommandsAHandlerPassesOnAndNotificationsAreReflectedToTheirSender) {
    Counter counter;
    Catcher catcher;
    ASSERT_TRUE(counter.SubclassWindow(parent));
    ASSERT_TRUE(catcher.SubclassWindow(child));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(counter.commands, 1);
    EXPECT_TRUE(catcher.reflected.empty());
    counter.passCommandOn = true;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(counter.commands, 2);
    ASSERT_EQ(catcher.reflected.size(), 1u);
    EXPECT_EQ(catcher.reflected[0], kReflectedBase + WM_COMMAND);

    NMHDR header{child, 77, UINT(NM_CUSTOMDRAW)};
    EXPECT_EQ(SendMessageW(parent, WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header)), 5);
    ASSERT_EQ(catcher.reflected.size(), 2u);
    EXPECT_EQ(catcher.reflected[1], 0x204Eu);
    // A sender that is not a child of this window is not reflected to.
    NMHDR stranger{parent, 1, UINT(NM_CUSTOMDRAW)};
    SendMessageW(parent, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&stranger));
    EXPECT_EQ(catcher.reflected.size(), 2u);
}

TEST_F(WindowFramework, AChildWeDoNotWrapKeepsItsNotificationsWithTheWindow) {
    HostProcedure host;
    Counter counter;
    ASSERT_TRUE(host.SubclassWindow(parent));
    ASSERT_TRUE(counter.SubclassWindow(parent)); // runs first, reflects what it may
    NMHDR header{child, 77, UINT(NM_CUSTOMDRAW)};
    SendMessageW(parent, WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header));
    counter.passCommandOn = true;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(host.seen, 2);
    counter.UnsubclassWindow();
}

TEST_F(WindowFramework, DestroyedWindowIsLetGo) {
    Counter counter;
    ASSERT_TRUE(counter.SubclassWindow(parent));
    DestroyWindow(parent);
    EXPECT_TRUE(counter.finalSeen);
    EXPECT_EQ(counter.Hwnd(), nullptr);
}

class TestDialog : public DialogImplT<TestDialog> {
public:
    static constexpr int kDialogId = 100;
    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(WM_INITDIALOG, OnInit)
    PORTICO_MESSAGE_HANDLER(WM_CLOSE, OnClose)
    PORTICO_MESSAGE_HANDLER(kPing, OnPing)
    PORTICO_END_MSG_MAP()

    bool initialised = false;
    bool finalSeen = false;

private:
    LRESULT OnInit(UINT, WPARAM, LPARAM, bool&) {
        initialised = true;
        return TRUE;
    }
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&) {
        ShowWindow(Hwnd(), SW_HIDE);
        return 0;
    }
    LRESULT OnPing(UINT, WPARAM, LPARAM, bool&) { return 42; }
    void OnFinalMessage(HWND) override { finalSeen = true; }
};

TEST(DialogFramework, ModelessDialogStartsHiddenAndAnswersThroughItsMap) {
    TestDialog dialog;
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(dialog.Hwnd(), window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_NE(GetDlgItem(window, 1001), nullptr);
    // A second Create keeps the one window.
    EXPECT_EQ(dialog.Create(nullptr), window);
    // Handled messages answer through the dialog's message result.
    EXPECT_EQ(SendMessageW(window, kPing, 0, 0), 42);
    ShowWindow(window, SW_SHOW);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_TRUE(dialog.finalSeen);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    EXPECT_FALSE(dialog.DestroyWindow());
}

} // namespace
} // namespace Utils
