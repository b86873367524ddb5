#include "ScriptDriver.h"

#include "GameLaunchHost.h"
#include "HostLog.h"
#include "HostState.h"
#include "HostViews.h"
#include "WebControl.h"

#include "common/win/HostApi.h"
#include "utils/AddressText.h"
#include "utils/ExecutableFolder.h"
#include "utils/ParseNumber.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <charconv>
#include <cstdio>
#include <sstream>
#include <vector>

namespace Lumora {
namespace {

const wchar_t kHookMappingName[] = L"Global\\Lumora_GANTRY_HWND";

void Print(const std::wstring& line) {
    const std::string text = Utils::Utf8FromWide(line) + "\n";
    fwrite(text.data(), 1, text.size(), stdout);
    fflush(stdout);
}

// Decimal or 0x-prefixed; text that is no number reads as 0, a number followed by more text
// as the number.
unsigned long long Number(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* start = text.data() + (hex ? 2 : 0);
    unsigned long long value = 0;
    std::from_chars(start, text.data() + text.size(), value, hex ? 16 : 10);
    return value;
}

// The text of a line after its word that follows the verb.
std::string Rest(const std::string& line, const std::string& word) {
    const size_t at = line.find(word);
    const size_t from = at == std::string::npos ? line.size() : at + word.size() + 1;
    return from < line.size() ? line.substr(from) : std::string();
}

std::wstring Folder() {
    return Utils::WideFromUtf8(Utils::ExecutableFolder());
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wstring(cls) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> PluginDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

HWND Target(const std::string& name) {
    if (name == "browser") {
        const auto dialogs = PluginDialogs();
        return dialogs.empty() ? nullptr : dialogs.front();
    }
    return FindView(Utils::WideFromUtf8(name));
}

void DumpHook() {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, kHookMappingName);
    if (!mapping) {
        Print(L"hook: present=0");
        return;
    }
    const auto* bytes =
        static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 24));
    if (bytes) {
        std::wstring hex;
        for (int i = 0; i < 24; ++i)
            hex += Format(L"%02x", bytes[i]);
        const uint32_t handle =
            bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24;
        const auto dialogs = PluginDialogs();
        const bool matches =
            !dialogs.empty() && uint32_t(reinterpret_cast<uintptr_t>(dialogs.front())) == handle;
        std::string name(reinterpret_cast<const char*>(bytes + 4), 20);
        name = name.substr(0, name.find('\0'));
        Print(Format(L"hook: present=1 browser=%d name=\"%ls\" bytes=%ls", matches ? 1 : 0,
                     Utils::WideFromUtf8(name).c_str(), hex.c_str()));
        UnmapViewOfFile(bytes);
    }
    CloseHandle(mapping);
}

} // namespace

void Pump(unsigned ms) {
    const DWORD until = GetTickCount() + ms;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (int(until - GetTickCount()) > 0);
}

bool ScriptDriver::Run(std::istream& script) {
    bool ok = true;
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        Print(L"> " + Utils::WideFromUtf8(line));
        if (!Execute(line)) {
            Print(L"error: " + Utils::WideFromUtf8(line));
            ok = false;
        }
        Pump(20);
    }
    if (!appExitRaised)
        HostState::Instance().Raise(L"OnAppExit", 0);
    return ok;
}

bool ScriptDriver::Execute(const std::string& line) {
    std::istringstream in(line);
    std::string verb, a, b, c, d;
    in >> verb >> a >> b >> c >> d;
    HostState& host = HostState::Instance();
    bool launchCommand = false;
    const bool launchDone =
        GameLaunchHost::Instance().RunCommand(verb, Rest(line, verb), launchCommand);
    if (launchCommand)
        return launchDone;
    if (verb == "load")
        return (plugin = LoadLibraryW((Folder() + L"Tessel.dll").c_str())) != nullptr;
    if (verb == "unload")
        return Unload();
    if (verb == "set")
        return Set(a, Rest(line, a));
    if (verb == "login")
        return host.Raise(L"OnAuthOK", 0) > 0;
    if (verb == "click")
        return host.Raise(L"OnCateItemClick", uintptr_t(Number(a))) > 0;
    if (verb == "row")
        return ClickGameListRow(size_t(Number(a)));
    if (verb == "category")
        return SendMessageW(FindView(L"CGameListView"), kCategorySelected, 0, LPARAM(Number(a))),
               true;
    if (verb == "join") {
        host.room =
            Portico::Host::RoomRecord{uint32_t(Number(a)), 0, b.empty() ? 0u : uint32_t(Number(b))};
        return host.Raise(L"OnMeJoinRoom", 0) > 0;
    }
    if (verb == "leave")
        return host.Raise(L"OnMeLeaveRoom", 0) > 0;
    if (verb == "exit") {
        appExitRaised = true;
        return host.Raise(L"OnAppExit", 0) > 0;
    }
    if (verb == "protocol")
        return RaiseProtocol(unsigned(Number(a)), b);
    if (verb == "send" || verb == "command") {
        HWND target = Target(a);
        if (!target)
            return false;
        const LRESULT result = verb == "send"
                                   ? SendMessageW(target, UINT(Number(b)), WPARAM(Number(c)),
                                                  LPARAM(d.empty() ? 0 : Number(d)))
                                   : SendMessageW(target, WM_COMMAND, WPARAM(Number(b)), 0);
        Print(Format(L"result: %lld", (long long)result));
        return true;
    }
    if (verb == "wait")
        return Wait(a, Rest(line, a));
    if (verb == "dump")
        return Dump(), true;
    if (verb == "screenshot")
        return Screenshot(a);
    if (verb == "echo")
        return Print(Utils::WideFromUtf8(Rest(line, verb))), true;
    return false;
}

// Lets the plug-in go as a host does when it unloads its modules; its handlers go with it.
bool ScriptDriver::Unload() {
    if (!plugin)
        return false;
    HostState::Instance().handlers.clear();
    appExitRaised = true;
    const bool freed = FreeLibrary(plugin) != FALSE;
    plugin = nullptr;
    const bool gone = GetModuleHandleW(L"Tessel.dll") == nullptr;
    Print(Format(L"unloaded: freed=%d gone=%d", int(freed), int(gone)));
    return freed;
}

bool ScriptDriver::Set(const std::string& what, const std::string& value) {
    HostState& host = HostState::Instance();
    if (what == "user")
        host.userName = Utils::WideFromUtf8(value);
    else if (what == "level")
        Utils::ReadLeadingInt32(value, host.userLevel);
    else if (what == "language")
        host.languageCode = Utils::WideFromUtf8(value);
    else if (what == "account")
        host.accountId = uint32_t(Number(value));
    else if (what == "address") {
        uint32_t ip;
        if (!Utils::ParseIPv4(value, ip))
            return false;
        const uint8_t bytes[4] = {uint8_t(ip >> 24), uint8_t(ip >> 16), uint8_t(ip >> 8),
                                  uint8_t(ip)};
        memcpy(&host.addressNetworkOrder, bytes, 4);
    } else
        return false;
    return true;
}

bool ScriptDriver::RaiseProtocol(unsigned type, const std::string& hex) {
    std::vector<uint8_t> payload;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        uint8_t byte = 0; // a pair that is no hex number is 0
        std::from_chars(hex.data() + i, hex.data() + i + 2, byte, 16);
        payload.push_back(byte);
    }
    Portico::Host::ProtocolMessageRecord record{};
    record.type = uint8_t(type);
    record.length = uint32_t(payload.size());
    record.data = payload.empty() ? nullptr : payload.data();
    return HostState::Instance().Raise(L"OnUnknownProtocol", reinterpret_cast<uintptr_t>(&record)) >
           0;
}

bool ScriptDriver::Wait(const std::string& kind, const std::string& argument) {
    if (kind == "ms")
        return Pump(unsigned(Number(argument))), true;
    if (kind != "log")
        return false;
    const std::wstring text = Utils::WideFromUtf8(argument);
    for (int i = 0; i < 500; ++i) {
        if (HostLog::Instance().Contains(text))
            return true;
        Pump(10);
    }
    return false;
}

void ScriptDriver::Dump() {
    for (const auto& line : HostLog::Instance().Lines())
        Print(L"log: " + line);
    for (const auto& row : GameList().Rows()) {
        if (row.category)
            Print(Format(L"gamelist: category %u \"%ls\"", row.categoryId, row.text.c_str()));
        else
            Print(Format(L"gamelist: item %u %u \"%ls\" icon=%ls", row.categoryId, row.itemId,
                         row.text.c_str(), row.icon ? L"yes" : L"no"));
    }
    for (const auto& row : GameList().Rows())
        Print(Format(L"paint: %ls %u prepaint=%ld postpaint=%ld badge=%d",
                     row.category ? L"category" : L"item",
                     row.category ? row.categoryId : row.itemId, long(row.prePaint),
                     long(row.postPaint), RowShowsBadge(row) ? 1 : 0));
    Print(Format(L"web: references-held=%lu", WebControlReferencesHeld()));
    const auto dialogs = PluginDialogs();
    int controls = 0;
    if (!dialogs.empty())
        EnumChildWindows(dialogs.front(), CountChild, reinterpret_cast<LPARAM>(&controls));
    Print(Format(L"browser: count=%u visible=%d controls=%d", unsigned(dialogs.size()),
                 !dialogs.empty() && IsWindowVisible(dialogs.front()) ? 1 : 0, controls));
    HWND room = FindView(L"CChatRoomView");
    Print(Format(L"room: info-visible=%d", IsWindowVisible(GetDlgItem(room, kRoomInfo)) ? 1 : 0));
    DumpHook();
}

bool ScriptDriver::Screenshot(const std::string& file) {
    HWND frame = HostState::Instance().frame;
    ShowWindow(frame, SW_SHOWNORMAL);
    SetForegroundWindow(frame);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(500);
    RECT rect;
    GetWindowRect(frame, &rect);
    // The display is the X server the host runs on; import is a program of that machine.
    std::string command = "/usr/bin/import -window root -crop " +
                          std::to_string(rect.right - rect.left) + "x" +
                          std::to_string(rect.bottom - rect.top) + "+" +
                          std::to_string(rect.left < 0 ? 0 : rect.left) + "+" +
                          std::to_string(rect.top < 0 ? 0 : rect.top) + " " + file;
    // Wine's drive Z: is the machine's root: that is where the picture appears.
    std::wstring watched = L"Z:" + Utils::WideFromUtf8(file);
    for (auto& ch : watched)
        if (ch == L'/')
            ch = L'\\';
    DeleteFileW(watched.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        Print(Format(L"screenshot: cannot start import (%lu)", GetLastError()));
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The started program is not a Windows process that can be waited for: wait until its
    // file exists and has stopped growing, painting the windows meanwhile.
    LONGLONG lastSize = -1;
    for (int i = 0; i < 300; ++i) {
        Pump(100);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(watched.c_str(), GetFileExInfoStandard, &data))
            continue;
        const LONGLONG size = (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (size > 0 && size == lastSize)
            return true;
        lastSize = size;
    }
    Print(L"screenshot: no picture appeared");
    return false;
}

} // namespace Lumora
