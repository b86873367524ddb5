// The browser window's two list controls as the browser's rules see them. The server list's
// item data are record pointers; the records stay with their owners.
#pragma once

#include "browser/PlayerRows.h"
#include "browser/ServerRows.h"

#include <windows.h>

#include <string>

namespace Portico {

// A column of a list: its header's language text, alignment (LVCFMT_) and width.
struct ListColumn {
    uint32_t textId;
    int format;
    int width;
};

// Inserts the columns, headed by their texts (texts[i] for columns[i]).
void InsertListColumns(HWND list, const ListColumn* columns, int count, const std::wstring* texts);
// Background, text background and text colours of a list of the plug-in.
void SetListColours(HWND list, COLORREF background, COLORREF text);

// A cell's text, up to 1024 characters.
std::u16string ListCellText(HWND list, int row, int column);

class ServerListRows : public ServerRows {
public:
    void Attach(HWND control) { list = control; }

    int32_t Count() override;
    const ServerRecord* RecordAt(int32_t row) override;
    int32_t Insert(int32_t row, const std::u16string& code) override;
    void SetText(int32_t row, int32_t column, const std::u16string& text) override;
    void SetRecord(int32_t row, const ServerRecord* record) override;
    bool IsSelected(int32_t row) override;
    void Delete(int32_t row) override;
    void DeleteAll() override;
    void DeselectAll() override;
    void Sort(Compare compare, void* context) override;

private:
    HWND list = nullptr;
};

class PlayerListRows : public PlayerRows {
public:
    void Attach(HWND control) { list = control; }

    int32_t Count() override;
    std::u16string Name(int32_t row) override;
    int32_t Append(const std::u16string& name) override;
    void SetText(int32_t row, int32_t column, const std::u16string& text) override;
    void Delete(int32_t row) override;
    void DeleteAll() override;

private:
    HWND list = nullptr;
};

} // namespace Portico
