// Gantry.dll, the game-side hook: loaded into a game before it runs, it finds the browser
// window through the plug-in's shared block, tells it the server that the game's command line
// connects to, and that the game is on no server when the game ends.
#include "CommandLineWords.h"

#include "abi/GameHook.h"
#include "utils/Utf.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace Portico {
namespace {

// A game that ends while the browser cannot answer does not wait longer than this.
constexpr UINT kEndReportWaitMs = 2000;

HWND browser = nullptr;
uint32_t serverIp = 0;
uint16_t serverPort = 0;
std::atomic<bool> reported{false};

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

// The send waits for the browser, which may be busy starting this very game: not in the
// loader's lock, on a thread of its own.
DWORD WINAPI ReportServer(void*) {
    const HookReport report = HookServerReport(serverIp, serverPort);
    SendMessageW(browser, kGameHookMessage, report.wParam, report.lParam);
    reported = true;
    return 0;
}

void Attach() {
    HookBlockContents block;
    if (!ReadBlock(block) || !IsWindow(WindowOf(block.window)))
        return;
    const std::u16string line(reinterpret_cast<const char16_t*>(GetCommandLineW()));
    if (!FindConnectTarget(SplitCommandLine(line), serverIp, serverPort))
        return;
    browser = WindowOf(block.window);
    const std::u16string note =
        u"Gantry: " + Utils::Utf::ToUtf16(block.userName) + u" plays on the command line's server";
    OutputDebugStringW(reinterpret_cast<const wchar_t*>(note.c_str()));
    if (HANDLE thread = CreateThread(nullptr, 0, &ReportServer, nullptr, 0, nullptr))
        CloseHandle(thread);
}

void Detach() {
    if (!reported)
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
        Portico::Attach();
    } else if (reason == DLL_PROCESS_DETACH) {
        Portico::Detach();
    }
    return TRUE;
}
