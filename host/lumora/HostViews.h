// The host's main window and the four views the plug-in takes over: "CChatRoomView",
// "BuddyListView", "CGameListView" and "CRoomsWebViewPanel".
#pragma once

#include "common/win/HostApi.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Lumora {

constexpr UINT kCategorySelected = Portico::Host::kCategorySelectedMessage;
constexpr int kChatPane = 1023;
constexpr int kRoomInfo = 1100;
constexpr int kRoomLabel = 1120;
constexpr WORD kSelectGameCommand = Portico::Host::kSelectGameCommand;
constexpr COLORREF kCategoryFace = RGB(36, 52, 86);
constexpr COLORREF kBadgeColour = RGB(220, 50, 40); // the red of the plug-in's category badge

// The game list: categories with their items, painted by the view itself; every row goes
// through NM_CUSTOMDRAW to the view's own procedure, with the row's id as item specifier.
class GameListModel {
public:
    struct Row {
        bool category;
        uint32_t categoryId;
        uint32_t itemId; // 0 for a category row
        std::wstring text;
        HICON icon;
        // Where the row was last painted, and what the view's custom draw answered then.
        RECT rect{};
        LRESULT prePaint = 0;
        LRESULT postPaint = 0;
    };
    void AddCategory(uint32_t id, const std::wstring& title);
    void AddItem(uint32_t categoryId, uint32_t itemId, const std::wstring& name, HICON icon);
    const std::vector<Row>& Rows() const { return rows; }
    std::vector<Row>& Rows() { return rows; }
    uint32_t selectedGame = 0;

private:
    std::vector<Row> rows;
};

GameListModel& GameList();

// Creates the frame and its views; false when a window class could not be registered.
bool CreateHostWindows(HINSTANCE instance);
HWND FindView(const std::wstring& className);
// Clicks on row index of the game list as the user would.
bool ClickGameListRow(size_t row);
void RepaintGameList();
// Whether the plug-in's badge colour shows at the right end of the row as painted.
bool RowShowsBadge(const GameListModel::Row& row);
// The buddy list (BuddyView.cpp): one list box whose lines carry their buddy's key as item
// data. A double click on a line is the host's command that joins that buddy's game.
constexpr int kBuddyList = 1;
constexpr WORD kJoinBuddyCommand = 5032;
LRESULT CALLBACK BuddyListProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
// The buddy list's line for a buddy; an empty text removes it.
void ShowBuddy(uint32_t buddyKey, const std::wstring& text);
// Selects line index of the buddy list and double-clicks it as the user would.
bool DoubleClickBuddy(size_t index);
// The buddy list's lines: key, whether selected, text.
struct BuddyLine {
    uint32_t key;
    bool selected;
    std::wstring text;
};
std::vector<BuddyLine> BuddyLines();

} // namespace Lumora
