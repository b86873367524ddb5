#include "HostViews.h"

#include "HostLog.h"
#include "HostState.h"
#include "WebControl.h"

#include <commctrl.h>

namespace Lumora {
namespace {

constexpr int kCategoryRow = 26;
constexpr int kItemRow = 46;
const wchar_t kFrameClass[] = L"LumoraFrame";

int RowHeight(const GameListModel::Row& row) {
    return row.category ? kCategoryRow : kItemRow;
}

// Sends the row's custom-draw stage to the view itself (a subclass sees it first); the row
// travels as the item's data.
LRESULT CustomDraw(HWND view, HDC dc, const RECT& rect, DWORD stage, GameListModel::Row& row) {
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = view;
    draw.hdr.idFrom = UINT_PTR(GetDlgCtrlID(view));
    draw.hdr.code = UINT(NM_CUSTOMDRAW);
    draw.dwDrawStage = stage;
    draw.hdc = dc;
    draw.rc = rect;
    draw.dwItemSpec = row.category ? row.categoryId : row.itemId;
    draw.lItemlParam = reinterpret_cast<LPARAM>(&row);
    return SendMessageW(view, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
}

// The view's own drawing of a row, done when it handles the row's item pre-paint.
void DrawRowFace(const NMCUSTOMDRAW& draw) {
    const auto& row = *reinterpret_cast<const GameListModel::Row*>(draw.lItemlParam);
    const bool selected =
        !row.category && GameList().selectedGame != 0 && row.itemId == GameList().selectedGame;
    HBRUSH brush = CreateSolidBrush(
        row.category ? kCategoryFace : (selected ? RGB(200, 220, 250) : RGB(245, 247, 250)));
    FillRect(draw.hdc, &draw.rc, brush);
    DeleteObject(brush);
    SetBkMode(draw.hdc, TRANSPARENT);
    SetTextColor(draw.hdc, row.category ? RGB(255, 255, 255) : RGB(20, 20, 20));
    RECT text = draw.rc;
    text.left += row.category ? 8 : 52;
    if (!row.category && row.icon)
        DrawIconEx(draw.hdc, draw.rc.left + 6, draw.rc.top + 3, row.icon, 40, 40, 0, nullptr,
                   DI_NORMAL);
    DrawTextW(draw.hdc, row.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void PaintRow(HWND view, HDC dc, GameListModel::Row& row, const RECT& rect) {
    row.rect = rect;
    row.prePaint = CustomDraw(view, dc, rect, CDDS_ITEMPREPAINT, row);
    row.postPaint = CustomDraw(view, dc, rect, CDDS_ITEMPOSTPAINT, row);
}

void PaintGameList(HWND view) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    RECT client;
    GetClientRect(view, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ old = SelectObject(dc, font);
    int top = 0;
    for (auto& row : GameList().Rows()) {
        RECT rect{client.left, top, client.right, top + RowHeight(row)};
        PaintRow(view, dc, row, rect);
        top += RowHeight(row);
    }
    SelectObject(dc, old);
    EndPaint(view, &paint);
}

LRESULT CALLBACK GameListProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintGameList(view);
        return 0;
    case WM_NOTIFY: {
        const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
        if (draw->hdr.code == UINT(NM_CUSTOMDRAW) && draw->dwDrawStage == CDDS_ITEMPREPAINT &&
            draw->lItemlParam)
            DrawRowFace(*draw);
        return CDRF_DODEFAULT;
    }
    case WM_LBUTTONDOWN: {
        int y = short(HIWORD(lParam)), top = 0;
        for (size_t i = 0; i < GameList().Rows().size(); ++i) {
            top += RowHeight(GameList().Rows()[i]);
            if (y < top)
                return ClickGameListRow(i), 0;
        }
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kSelectGameCommand) {
            // The host switches to the game named in the command's code.
            HostLog::Instance().Add(Format(L"SelectGame %u", unsigned(HIWORD(wParam))));
            return 0;
        }
        break;
    case kCategorySelected:
        HostLog::Instance().Add(Format(L"CategorySelected %u", unsigned(lParam)));
        return 0;
    }
    return DefWindowProcW(view, message, wParam, lParam);
}

LRESULT CALLBACK PlainViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(view, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(frame, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

bool Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
           int h, int id, HINSTANCE instance) {
    HWND child = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(intptr_t(id)), instance, nullptr);
    SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return child;
}

} // namespace

GameListModel& GameList() {
    static GameListModel model;
    return model;
}

void GameListModel::AddCategory(uint32_t id, const std::wstring& title) {
    rows.push_back(Row{true, id, 0, title, nullptr});
    RepaintGameList();
}

void GameListModel::AddItem(uint32_t categoryId, uint32_t itemId, const std::wstring& name,
                            HICON icon) {
    // Items go below their category (after its existing items); unknown category: at the end.
    size_t at = rows.size();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].category && rows[i].categoryId == categoryId) {
            at = i + 1;
            while (at < rows.size() && !rows[at].category)
                ++at;
        }
    }
    rows.insert(rows.begin() + long(at), Row{false, categoryId, itemId, name, icon});
    RepaintGameList();
}

bool ClickGameListRow(size_t index) {
    if (index >= GameList().Rows().size())
        return false;
    const auto row = GameList().Rows()[index];
    HWND view = FindView(L"CGameListView");
    if (row.category) {
        SendMessageW(view, kCategorySelected, 0, LPARAM(row.categoryId));
    } else {
        GameList().selectedGame = row.itemId;
        HostLog::Instance().Add(Format(L"ItemClicked %u", row.itemId));
        HostState::Instance().Raise(L"OnCateItemClick", row.itemId);
    }
    RepaintGameList();
    return true;
}

bool RowShowsBadge(const GameListModel::Row& row) {
    HWND view = FindView(L"CGameListView");
    HDC dc = view ? GetDC(view) : nullptr;
    if (!dc)
        return false;
    bool found = false;
    for (int y = row.rect.top; y < row.rect.bottom && !found; ++y)
        for (int x = row.rect.right - 40; x < row.rect.right && !found; ++x)
            found = GetPixel(dc, x, y) == kBadgeColour;
    ReleaseDC(view, dc);
    return found;
}

void RepaintGameList() {
    if (HWND view = FindView(L"CGameListView"))
        InvalidateRect(view, nullptr, TRUE);
}

HWND FindView(const std::wstring& className) {
    HWND frame = HostState::Instance().frame;
    return frame ? FindWindowExW(frame, nullptr, className.c_str(), nullptr) : nullptr;
}

bool CreateHostWindows(HINSTANCE instance) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    if (!Register(instance, kFrameClass, FrameProc, face) ||
        !Register(instance, L"CGameListView", GameListProc, nullptr) ||
        !Register(instance, L"CChatRoomView", PlainViewProc, face) ||
        !Register(instance, L"BuddyListView", BuddyListProc, face) ||
        !Register(instance, L"CRoomsWebViewPanel", PlainViewProc, face) ||
        !Register(instance, kWebControlClass, WebControlProc, nullptr))
        return false;
    HWND frame = CreateWindowExW(0, kFrameClass, L"Lumora", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 0, 0, 1000, 700, nullptr, nullptr, instance, nullptr);
    if (!frame)
        return false;
    HostState::Instance().frame = frame;
    const DWORD border = WS_BORDER | WS_CLIPCHILDREN;
    Child(frame, L"CGameListView", L"", border, 4, 4, 260, 650, 2001, instance);
    HWND room = Child(frame, L"CChatRoomView", L"", border, 270, 4, 470, 420, 2002, instance);
    Child(room, L"STATIC", L"Room", SS_LEFT, 6, 6, 70, 22, kRoomLabel, instance);
    Child(room, L"STATIC", L"Welcome to the room.", SS_LEFT, 260, 6, 200, 22, kRoomInfo, instance);
    Child(room, L"EDIT", L"[chat] Player2: hello", WS_BORDER | ES_MULTILINE | ES_READONLY, 6, 34,
          456, 378, kChatPane, instance);
    HWND buddies = Child(frame, L"BuddyListView", L"", border, 746, 4, 238, 420, 2003, instance);
    Child(buddies, L"LISTBOX", L"", WS_BORDER | LBS_NOTIFY, 4, 4, 228, 410, kBuddyList, instance);
    HWND web = Child(frame, L"CRoomsWebViewPanel", L"", border, 270, 430, 714, 224, 2004, instance);
    Child(web, kWebControlClass, L"", WS_GROUP | WS_TABSTOP, 4, 4, 700, 214, 1, instance);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    return true;
}

} // namespace Lumora
