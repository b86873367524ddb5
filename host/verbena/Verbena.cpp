// dlls\Verbena.dll of the stand-in host: the English texts of the plug-in, country names keyed
// by country code, flag images, and dialog translation. Exports by ordinal only (Verbena.def).
#include "HostLogExport.h"
#include "common/win/HostApi.h"

#include <windows.h>

#include <map>
#include <string>

namespace {

struct Text {
    uint32_t id;
    const wchar_t* text;
};

// clang-format off
const Text kTexts[] = {
    {1, L"Portico"}, {2, L"Servers"}, {3, L"Refresh"},
    {101, L"Portico"}, {103, L"Type the address as host:port."},
    {104, L"That address cannot be used."}, {105, L"The console socket could not be opened."},
    {106, L"The server rejected the password."}, {107, L"Logged in to the console."},
    {108, L"The console connection ended with an error."}, {109, L"* "}, {110, L"> "},
    {111, L""},
    {201, L"Servers"}, {202, L"Favourites"},
    {1001, L"All"}, {1002, L"< 100 ms"}, {1003, L"< 200 ms"}, {1004, L"< 300 ms"},
    {1005, L"< 500 ms"},
    {2003, L"South-East Asia"}, {2004, L"East Asia"}, {2005, L"South Asia"},
    {2006, L"Central Asia"}, {2007, L"Middle East"}, {2009, L"Eastern Europe"},
    {2010, L"Western Europe"}, {2011, L"Southern Europe"}, {2012, L"Northern Europe"},
    {2013, L"North America"}, {2014, L"South America"}, {2015, L"Oceania"}, {2016, L"Africa"},
    {2101, L"Search"}, {2102, L"Refresh"}, {2105, L"Continue"},
    {2304, L"Join"}, {2305, L"Add to favourites"}, {2306, L"Add address"},
    {2307, L"Remove from favourites"}, {2308, L"Remote console"},
    {3001, L"Country"}, {3002, L"Server"}, {3003, L"Map"}, {3004, L"Mode"}, {3005, L"Players"},
    {3006, L"Ping"},
    {4001, L"Player"}, {4002, L"Time"}, {4003, L"Score"}, {4004, L"Kills"},
};
// clang-format on

struct Country {
    const char code[3];
    const wchar_t* name;
    COLORREF colours[3];
};

const Country kCountries[] = {
    {"AU", L"Australia", {RGB(0, 40, 120), RGB(0, 40, 120), RGB(200, 16, 46)}},
    {"BR", L"Brazil", {RGB(0, 150, 60), RGB(250, 220, 0), RGB(0, 150, 60)}},
    {"CN", L"China", {RGB(220, 30, 30), RGB(220, 30, 30), RGB(250, 220, 0)}},
    {"DE", L"Germany", {RGB(0, 0, 0), RGB(220, 0, 0), RGB(255, 205, 0)}},
    {"FR", L"France", {RGB(0, 50, 160), RGB(255, 255, 255), RGB(230, 30, 40)}},
    {"GB", L"United Kingdom", {RGB(0, 40, 110), RGB(255, 255, 255), RGB(200, 16, 46)}},
    {"JP", L"Japan", {RGB(255, 255, 255), RGB(190, 0, 40), RGB(255, 255, 255)}},
    {"RU", L"Russia", {RGB(255, 255, 255), RGB(0, 60, 170), RGB(210, 30, 30)}},
    {"SG", L"Singapore", {RGB(230, 30, 40), RGB(255, 255, 255), RGB(255, 255, 255)}},
    {"US", L"United States", {RGB(180, 30, 50), RGB(255, 255, 255), RGB(0, 40, 100)}},
};

uint32_t CodeOf(const Country& country) {
    return uint32_t(uint8_t(country.code[0])) << 8 | uint8_t(country.code[1]);
}

// Dialog control texts by dialog id and control id.
struct DialogText {
    uint32_t dialogId;
    int controlId;
    uint32_t textId;
};

const DialogText kDialogTexts[] = {
    {2001, 10007, 0}, {2001, 10001, 2101}, {2001, 10009, 0}, {2002, 1, 0}, {2003, 1, 0},
};

const wchar_t* Find(uint32_t id) {
    for (const Text& t : kTexts)
        if (t.id == id)
            return t.text;
    for (const Country& c : kCountries)
        if (CodeOf(c) == id)
            return c.name;
    return nullptr;
}

int gLanguage = 1; // the one language this library holds

// Menus and dialogs are few: their requests go to the host's log (texts are asked too often).
void Log(const wchar_t* format, uint32_t number) {
    static const auto add = reinterpret_cast<Lumora::AddHostLogLineFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(nullptr), MAKEINTRESOURCEA(Lumora::kOrdAddHostLogLine))));
    wchar_t line[64];
    if (add && _snwprintf(line, 64, format, unsigned(number)) > 0)
        add(line);
}

} // namespace

extern "C" {

void* WINAPI LoadLanguageModule(const wchar_t* moduleName) {
    return moduleName ? &gLanguage : nullptr;
}

BOOL WINAPI TranslateDialog(void* language, HWND dialog, uint32_t dialogId) {
    if (language != &gLanguage || !dialog)
        return FALSE;
    Log(L"TranslateDialog %u", dialogId);
    for (const DialogText& entry : kDialogTexts)
        if (entry.dialogId == dialogId && entry.textId != 0)
            if (const wchar_t* text = Find(entry.textId))
                SetDlgItemTextW(dialog, entry.controlId, text);
    return TRUE;
}

const wchar_t* WINAPI GetText(void* language, uint32_t textId) {
    const wchar_t* text = language == &gLanguage ? Find(textId) : nullptr;
    return text ? text : L"";
}

const wchar_t* WINAPI GetMenuText(void* language, uint32_t textId) {
    Log(L"GetMenuText %u", textId);
    return GetText(language, textId);
}

BOOL WINAPI FreeLanguageModule(void* language) {
    return language == &gLanguage;
}

const wchar_t* WINAPI GetLanguageName(void* language) {
    return language == &gLanguage ? L"English" : L"";
}

uint32_t WINAPI GetTextCount() {
    return uint32_t(sizeof(kTexts) / sizeof(kTexts[0]) +
                    sizeof(kCountries) / sizeof(kCountries[0]));
}

void WINAPI EnumTexts(Portico::Host::TextEnumCallback callback) {
    if (!callback)
        return;
    for (const Text& t : kTexts)
        if (!callback(t.id, t.text))
            return;
    for (const Country& c : kCountries)
        if (!callback(CodeOf(c), c.name))
            return;
}

// A 20 x 12 flag of three vertical bands, made once per country and kept.
HBITMAP WINAPI GetFlagIcon(uint16_t countryCode) {
    static std::map<uint16_t, HBITMAP> flags;
    const auto it = flags.find(countryCode);
    if (it != flags.end())
        return it->second;
    for (const Country& c : kCountries) {
        if (CodeOf(c) != countryCode)
            continue;
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP flag = CreateCompatibleBitmap(screen, 20, 12);
        HGDIOBJ old = SelectObject(dc, flag);
        for (int band = 0; band < 3; ++band) {
            RECT r{band * 7, 0, band == 2 ? 20 : band * 7 + 7, 12};
            HBRUSH brush = CreateSolidBrush(c.colours[band]);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        flags[countryCode] = flag;
        return flag;
    }
    return nullptr;
}

const wchar_t* WINAPI GetCountryName(uint16_t countryCode) {
    const wchar_t* name = Find(countryCode);
    return name ? name : L"";
}

BOOL WINAPI HasText(void* language, uint32_t textId) {
    return language == &gLanguage && Find(textId) != nullptr;
}

const wchar_t* WINAPI GetDialogText(void* language, uint32_t dialogId, int controlId) {
    for (const DialogText& entry : kDialogTexts)
        if (entry.dialogId == dialogId && entry.controlId == controlId)
            return GetText(language, entry.textId);
    return L"";
}

uint32_t WINAPI GetLibraryVersion() {
    return 1;
}

} // extern "C"
