#include "browser/win/BrowserPaint.h"

#include "browser/ColourCodes.h"
#include "browser/ServerRowText.h"
#include "utils/win/WideText.h"

namespace Portico {
namespace {

constexpr UINT kCellText = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS | DT_NOPREFIX;
constexpr COLORREF kTransparent = RGB(0, 0, 0);

SIZE ImageSize(HBITMAP image) {
    DIBSECTION section{};
    if (GetObjectW(image, sizeof(section), &section) == sizeof(section))
        return SIZE{section.dsBmih.biWidth, std::abs(section.dsBmih.biHeight)};
    BITMAP header{};
    GetObjectW(image, sizeof(header), &header);
    return SIZE{header.bmWidth, header.bmHeight};
}

void DrawText16(HDC dc, const std::u16string& text, RECT& area, UINT format) {
    DrawTextW(dc, Utils::AsWide(text), int(text.size()), &area, format);
}

// Character by character from the left: a caret and a digit switch the colour for the rest
// of the name; nothing is drawn past the cell's right edge.
void DrawColouredName(HDC dc, RECT cell, const std::u16string& name, COLORREF textColour) {
    int x = cell.left;
    for (const ColourRun& run : SplitColourCodes(name)) {
        SetTextColor(dc, run.digit < 0 ? textColour : COLORREF(ColourOfDigit(run.digit)));
        for (char16_t unit : run.text) {
            const wchar_t letter = wchar_t(unit);
            SIZE size{};
            GetTextExtentPoint32W(dc, &letter, 1, &size);
            if (x + size.cx > cell.right)
                return;
            RECT at{x, cell.top, x + size.cx, cell.bottom};
            DrawTextW(dc, &letter, 1, &at, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            x += size.cx;
        }
    }
}

void DrawCountryCell(HDC dc, RECT cell, const ServerRecord& record, FlagCache& flags, HDC padlock) {
    if (HBITMAP flag = static_cast<HBITMAP>(flags.Get(record.Country())))
        DrawFlag(dc, flag, cell.left, cell.top + 3);
    cell.left += 32;
    if (record.countryCode[0] != 0) {
        std::u16string code = CountryText(record);
        DrawText16(dc, code, cell, kCellText);
    }
    if (record.info.needPass)
        TransparentBlt(dc, cell.left - 12, cell.top + 3, 12, 12, padlock, 0, 0, 12, 12,
                       kTransparent);
}

} // namespace

void DrawFlag(HDC dc, HBITMAP flag, int x, int y) {
    const SIZE size = ImageSize(flag);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, flag);
    TransparentBlt(dc, x, y, 20, 12, source, 0, 0, size.cx, size.cy, kTransparent);
    SelectObject(source, old);
    DeleteDC(source);
}

void DrawServerCell(HDC dc, RECT cell, int column, const ServerRecord& record,
                    const std::u16string& text, FlagCache& flags, HDC padlock,
                    COLORREF textColour) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    if (column == kColumnCountry) {
        DrawCountryCell(dc, cell, record, flags, padlock);
        return;
    }
    if (column == kColumnName) {
        DrawColouredName(dc, cell, text, textColour);
        return;
    }
    if (column == kColumnPlayers)
        SetTextColor(dc, PlayersColour(record.info.players, record.info.maxPlayers, textColour));
    const bool right = column == kColumnPlayers || column == kColumnTime;
    if (!text.empty())
        DrawText16(dc, text, cell, kCellText | (right ? DT_RIGHT : DT_LEFT));
}

void DrawFlagAndName(HDC dc, RECT cell, const ServerRecord& record, const std::u16string& name,
                     FlagCache& flags, COLORREF textColour) {
    SetBkMode(dc, TRANSPARENT);
    if (HBITMAP flag = static_cast<HBITMAP>(flags.Get(record.Country())))
        DrawFlag(dc, flag, cell.left, cell.top + 3);
    cell.left += 32;
    DrawColouredName(dc, cell, name, textColour);
}

void DrawTreeNode(HDC dc, RECT node, uint32_t data, const std::u16string& text, FlagCache& flags) {
    node.left += 12;
    if (HBITMAP flag = static_cast<HBITMAP>(flags.Get(uint16_t(data >> 16))))
        DrawFlag(dc, flag, node.left, node.top + 4);
    node.left += 22;
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &node, nullptr, 0, nullptr);
    DrawText16(dc, text, node, kCellText);
}

} // namespace Portico
