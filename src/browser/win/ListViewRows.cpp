#include "browser/win/ListViewRows.h"

#include "utils/win/WideText.h"

#include <commctrl.h>

namespace Portico {
namespace {

int32_t InsertRow(HWND list, int32_t row, const std::u16string& text, LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(Utils::AsWide(text));
    item.lParam = data;
    return int32_t(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCell(HWND list, int32_t row, int32_t column, const std::u16string& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(Utils::AsWide(text));
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
}

struct SortCall {
    ServerRows::Compare compare;
    void* context;
};

int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM call) {
    const auto* sort = reinterpret_cast<const SortCall*>(call);
    return sort->compare(reinterpret_cast<const ServerRecord*>(a),
                         reinterpret_cast<const ServerRecord*>(b), sort->context);
}

} // namespace

void InsertListColumns(HWND list, const ListColumn* columns, int count, const std::wstring* texts) {
    for (int i = 0; i < count; ++i) {
        std::wstring text = texts[i];
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = columns[i].format;
        column.cx = columns[i].width;
        column.pszText = &text[0];
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
}

void SetListColours(HWND list, COLORREF background, COLORREF text) {
    SendMessageW(list, LVM_SETBKCOLOR, 0, background);
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, background);
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, text);
}

std::u16string ListCellText(HWND list, int row, int column) {
    wchar_t text[1025] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1025;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return std::u16string(Utils::AsUtf16(text));
}

int32_t ServerListRows::Count() {
    return int32_t(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

const ServerRecord* ServerListRows::RecordAt(int32_t row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<const ServerRecord*>(item.lParam);
}

int32_t ServerListRows::Insert(int32_t row, const std::u16string& code) {
    return InsertRow(list, row, code, 0);
}

void ServerListRows::SetText(int32_t row, int32_t column, const std::u16string& text) {
    SetCell(list, row, column, text);
}

void ServerListRows::SetRecord(int32_t row, const ServerRecord* record) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = reinterpret_cast<LPARAM>(record);
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool ServerListRows::IsSelected(int32_t row) {
    return SendMessageW(list, LVM_GETITEMSTATE, WPARAM(row), LVIS_SELECTED) != 0;
}

void ServerListRows::Delete(int32_t row) {
    SendMessageW(list, LVM_DELETEITEM, WPARAM(row), 0);
}

void ServerListRows::DeleteAll() {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

void ServerListRows::DeselectAll() {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&item));
}

void ServerListRows::Sort(Compare compare, void* context) {
    SortCall call{compare, context};
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SORTITEMS, WPARAM(&call), reinterpret_cast<LPARAM>(&CompareRows));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int32_t PlayerListRows::Count() {
    return int32_t(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::u16string PlayerListRows::Name(int32_t row) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return std::u16string(Utils::AsUtf16(text));
}

int32_t PlayerListRows::Append(const std::u16string& name) {
    return InsertRow(list, Count(), name, 0);
}

void PlayerListRows::SetText(int32_t row, int32_t column, const std::u16string& text) {
    SetCell(list, row, column, text);
}

void PlayerListRows::Delete(int32_t row) {
    SendMessageW(list, LVM_DELETEITEM, WPARAM(row), 0);
}

void PlayerListRows::DeleteAll() {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

} // namespace Portico
