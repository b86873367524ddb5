// How the browser draws what the list and tree controls cannot: flags, the padlock of
// password servers, colour codes in names, coloured player counts.
#pragma once

#include "browser/FlagCache.h"
#include "query/ServerRecord.h"

#include <windows.h>

#include <string>

namespace Portico {

// A flag image of any size drawn as 20 x 12 at (x, y), black as the transparent colour.
void DrawFlag(HDC dc, HBITMAP flag, int x, int y);

// One cell of the server list. text: the cell's text; padlock: a memory device context
// holding the 12 x 12 padlock.
void DrawServerCell(HDC dc, RECT cell, int column, const ServerRecord& record,
                    const std::u16string& text, FlagCache& flags, HDC padlock, COLORREF textColour);

// The chat-room panel's first cell: the flag at the cell's left edge and the name with its
// colour codes from 32 pixels right of it; no padlock.
void DrawFlagAndName(HDC dc, RECT cell, const ServerRecord& record, const std::u16string& name,
                     FlagCache& flags, COLORREF textColour);

// A region-tree node without children: its flag (data holds the country code in its upper
// half) and its label.
void DrawTreeNode(HDC dc, RECT node, uint32_t data, const std::u16string& text, FlagCache& flags);

} // namespace Portico
