// Gantry.dll, the game-side hook: loaded into a game before it runs, it finds the browser
// window through the plug-in's shared block, tells it the server that the game's command line
// connects to, follows the server the game then sends its traffic to, and tells it that the
// game is on no server when the game leaves it or ends.
#include "CommandLineWords.h"
#include "PlayTracker.h"
#include "win/SendHook.h"

#include "abi/GameHook.h"
#include "utils/Utf.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

namespace Portico {
namespace {

// A game that ends while the browser cannot answer does not wait longer than this.
constexpr UINT kEndReportWaitMs = 2000;
// How often the follower looks for a change, and (in looks) for modules the game loaded since.
constexpr DWORD kLookMs = 250;
constexpr uint32_t kLooksPerPatch = 8;

HWND browser = nullptr;
std::mutex trackerLock;
PlayTracker tracker{PlayServer{}};
std::atomic<bool> onServer{false};

// The block's window as a handle: window handles are 32-bit values, sign-extended on 64-bit.
HWND WindowOf(uint32_t value) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

bool ReadBlock(HookBlockContents& contents) {
    HANDLE mapping =
        OpenFileMappingW(FILE_MAP_READ, FALSE, reinterpret_cast<const wchar_t*>(kHookBlockName));
    if (!mapping)
        return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kHookBlockBytes);
    if (view) {
        contents = ReadHookBlock(static_cast<const uint8_t*>(view));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

void NoteSend(uint32_t ip, uint16_t port) {
    std::lock_guard<std::mutex> guard(trackerLock);
    tracker.OnSend(PlayServer{ip, port}, GetTickCount64());
}

bool TakeChange(PlayServer& server) {
    std::lock_guard<std::mutex> guard(trackerLock);
    return tracker.TakeChange(GetTickCount64(), server);
}

// The reports wait for the browser, which may be busy starting this very game: not in the
// loader's lock and never on the game's threads, but on a thread of Gantry's own for the
// game's whole life.
DWORD WINAPI Follow(void*) {
    for (uint32_t look = 0;; ++look) {
        if (look % kLooksPerPatch == 0)
            PatchSendImports();
        PlayServer server;
        if (TakeChange(server)) {
            const HookReport report =
                server.ip != 0 ? HookServerReport(server.ip, server.port) : HookReport{};
            SendMessageW(browser, kGameHookMessage, report.wParam, report.lParam);
            onServer = server.ip != 0;
        }
        Sleep(kLookMs);
    }
}

void Attach(HINSTANCE self) {
    HookBlockContents block;
    if (!ReadBlock(block) || !IsWindow(WindowOf(block.window)))
        return;
    // The game's import tables will point into Gantry: it must never be unloaded.
    HMODULE pinned = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                            reinterpret_cast<LPCWSTR>(self), &pinned))
        return;
    browser = WindowOf(block.window);
    PlayServer start;
    const std::u16string line(reinterpret_cast<const char16_t*>(GetCommandLineW()));
    FindConnectTarget(SplitCommandLine(line), start.ip, start.port);
    tracker = PlayTracker(start);
    SetSendNote(&NoteSend);
    const std::u16string note =
        u"Gantry: following the servers that " + Utils::Utf::ToUtf16(block.userName) + u" plays on";
    OutputDebugStringW(reinterpret_cast<const wchar_t*>(note.c_str()));
    if (HANDLE thread = CreateThread(nullptr, 0, &Follow, nullptr, 0, nullptr))
        CloseHandle(thread);
}

void Detach() {
    if (!onServer)
        return;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(browser, kGameHookMessage, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                        kEndReportWaitMs, &answer);
}

} // namespace
} // namespace Portico

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        Portico::Attach(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        Portico::Detach();
    }
    return TRUE;
}
