#include "plugin/win/GameWatcher.h"

#include "common/MessageWindow.h"

namespace Portico {
namespace {

class WindowHandle : public MessageWindow {
public:
    explicit WindowHandle(HWND window) : window(window) {}
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        return SendMessageW(window, message, wParam, lParam);
    }

private:
    HWND window;
};

struct Watched {
    HANDLE process;
    WindowHandle browser;
    GameWatch watch;
    HMODULE module;
};

DWORD WINAPI WatchGame(void* parameter) {
    Watched* watched = static_cast<Watched*>(parameter);
    WaitForSingleObject(watched->process, INFINITE);
    CloseHandle(watched->process);
    watched->watch.End(watched->browser);
    HMODULE module = watched->module;
    delete watched;
    FreeLibraryAndExitThread(module, 0);
}

} // namespace

bool StartGameWatcher(HANDLE process, HWND browser, const GameWatch& watch) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&WatchGame), &module))
        return false;
    auto* watched = new Watched{process, WindowHandle(browser), watch, module};
    HANDLE thread = CreateThread(nullptr, 0, &WatchGame, watched, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        delete watched;
        FreeLibrary(module);
        return false;
    }
    SetThreadPriority(thread, THREAD_PRIORITY_LOWEST);
    watch.Begin();
    ResumeThread(thread);
    CloseHandle(thread);
    return true;
}

} // namespace Portico
