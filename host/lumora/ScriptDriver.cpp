#include "ScriptDriver.h"

#include "BrowserCommands.h"
#include "BrowserDump.h"
#include "BrowserWindow.h"
#include "DialogAnswers.h"
#include "GameLaunchHost.h"
#include "HostLog.h"
#include "HostState.h"
#include "HostViews.h"
#include "PanelDriver.h"
#include "Screenshot.h"
#include "ScriptWords.h"
#include "ScriptedMenu.h"
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

std::wstring Folder() {
    return Utils::WideFromUtf8(Utils::ExecutableFolder());
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

HWND Target(const std::string& name) {
    return name == "browser" ? FindBrowser() : FindView(Utils::WideFromUtf8(name));
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
        HWND browser = FindBrowser();
        const bool matches = browser && uint32_t(reinterpret_cast<uintptr_t>(browser)) == handle;
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

bool PumpUntil(const std::function<bool()>& done, unsigned ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= ms)
            return false;
        Pump(10);
    }
    return true;
}

void Print(const std::wstring& line) {
    const std::string text = Utils::Utf8FromWide(line) + "\n";
    fwrite(text.data(), 1, text.size(), stdout);
    fflush(stdout);
}

bool ScriptDriver::Run(std::istream& script) {
    SetEnvironmentVariableW(kScriptRunningVariable, L"1");
    DialogAnswers::Instance().Start();
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
    std::string verb, a, b;
    in >> verb >> a >> b;
    if (verb == "load")
        return (plugin = LoadLibraryW((Folder() + L"Tessel.dll").c_str())) != nullptr;
    if (verb == "unload")
        return Unload();
    if (verb == "set")
        return Set(a, Rest(line, a));
    if (verb == "send" || verb == "command")
        return SendToTarget(verb, line);
    if (IsBrowserCommand(verb))
        return RunBrowserCommand(verb, Rest(line, verb));
    if (IsLaunchCommand(verb))
        return RunLaunchCommand(verb, Rest(line, verb));
    if (verb == "menu")
        return ArmMenu(a);
    if (verb == "answer")
        return DialogAnswers::Instance().Queue(Rest(line, verb)), true;
    if (verb == "listen")
        return Listen(a);
    if (verb == "wait")
        return Wait(a, Rest(line, a));
    if (verb == "dump")
        return Dump(), true;
    if (verb == "screenshot")
        return Screenshot(a, b);
    if (verb == "room" || verb == "buddy")
        return PanelCommand(verb, a, b);
    if (verb == "echo")
        return Print(Utils::WideFromUtf8(Rest(line, verb))), true;
    return RaiseEvent(verb, a, b);
}

// The commands that raise the host's events for the plug-in, or act as the host's own views.
bool ScriptDriver::RaiseEvent(const std::string& verb, const std::string& a, const std::string& b) {
    HostState& host = HostState::Instance();
    if (verb == "login") {
        // The client keeps a folder per account that has logged in on this machine.
        const std::wstring user = Folder() + L"user";
        CreateDirectoryW(user.c_str(), nullptr);
        CreateDirectoryW((user + L"\\" + std::to_wstring(HostState::Instance().accountId)).c_str(),
                         nullptr);
        return host.Raise(L"OnAuthOK", 0) > 0;
    }
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
    return false;
}

bool ScriptDriver::SendToTarget(const std::string& verb, const std::string& line) {
    std::istringstream in(line);
    std::string skip, name, b, c, d;
    in >> skip >> name >> b >> c >> d;
    HWND target = Target(name);
    if (!target)
        return false;
    const LRESULT result = verb == "send" ? SendMessageW(target, UINT(Number(b)), WPARAM(Number(c)),
                                                         LPARAM(d.empty() ? 0 : Number(d)))
                                          : SendMessageW(target, WM_COMMAND, WPARAM(Number(b)), 0);
    Print(Format(L"result: %lld", (long long)result));
    return true;
}

// The skin's next popup menu picks the item (ScriptedMenu.h).
bool ScriptDriver::ArmMenu(const std::string& id) {
    uint16_t command = 0;
    if (!Utils::ParseDecimal(id, command) || command == 0)
        return false;
    return SetEnvironmentVariableW(kMenuPickVariable, std::to_wstring(command).c_str()) != FALSE;
}

bool ScriptDriver::Listen(const std::string& port) {
    uint16_t number = 0;
    return Utils::ParseDecimal(port, number) && number != 0 && reports.Listen(number);
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
        return WaitForBrowser(kind, argument);
    const std::wstring text = Utils::WideFromUtf8(argument);
    return PumpUntil([&] { return HostLog::Instance().Contains(text); }, 5000);
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
    HWND browser = FindBrowser();
    int controls = 0;
    if (browser)
        EnumChildWindows(browser, CountChild, reinterpret_cast<LPARAM>(&controls));
    Print(Format(L"browser: count=%u visible=%d controls=%d", unsigned(ThreadDialogs().size()),
                 browser && IsWindowVisible(browser) ? 1 : 0, controls));
    HWND room = FindView(L"CChatRoomView");
    Print(Format(L"room: info-visible=%d", IsWindowVisible(GetDlgItem(room, kRoomInfo)) ? 1 : 0));
    DumpHook();
    DumpBrowser();
    DumpPanels();
}

// The host window, or the browser window when it shows.
bool ScriptDriver::Screenshot(const std::string& file, const std::string& window) {
    if (window.empty()) {
        HWND frame = HostState::Instance().frame;
        ShowWindow(frame, SW_SHOWNORMAL);
        SetForegroundWindow(frame);
        return TakeScreenshot(frame, file);
    }
    HWND browser = FindBrowser();
    if (window != "browser" || !browser || !IsWindowVisible(browser)) {
        Print(L"screenshot: no such window shows");
        return false;
    }
    SetWindowPos(browser, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TakeScreenshot(browser, file);
}

} // namespace Lumora
