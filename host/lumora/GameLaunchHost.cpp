// The launch services Lumora.exe exports by ordinal and the host's before-launch handlers.
// Every call is written to the host log with what it answered.
#include "GameLaunchHost.h"

#include "HostLog.h"
#include "HostState.h"

#include "common/LaunchRecords.h"
#include "common/win/HostApi.h"
#include "utils/ParseNumber.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <cwchar>
#include <sstream>

using Portico::AfterLaunchRecord;
using Portico::BeforeLaunchRecord;
using Portico::kLaunchPathChars;

namespace Lumora {
namespace {

std::wstring Field(const char16_t* text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    return std::wstring(wide, wcsnlen(wide, kLaunchPathChars));
}

// The game's entry of the map, or the empty text.
std::wstring Of(const std::map<uint32_t, std::wstring>& map, uint32_t gameId) {
    const auto found = map.find(gameId);
    return found != map.end() ? found->second : std::wstring();
}

void Copy(wchar_t* buffer, const std::wstring& text) {
    if (!buffer)
        return;
    wcsncpy(buffer, text.c_str(), kLaunchPathChars - 1);
    buffer[kLaunchPathChars - 1] = 0;
}

int32_t WINAPI RewriteBeforeLaunch(uintptr_t parameter) {
    auto* record = reinterpret_cast<BeforeLaunchRecord*>(parameter);
    const std::wstring& to = GameLaunchHost::Instance().rewriteTo;
    Copy(reinterpret_cast<wchar_t*>(record->executable), to);
    HostLog::Instance().Add(L"before-launch handler: executable \"" + to + L"\"");
    return 0;
}

int32_t WINAPI CancelBeforeLaunch(uintptr_t parameter) {
    reinterpret_cast<BeforeLaunchRecord*>(parameter)->proceed = 0;
    HostLog::Instance().Add(L"before-launch handler: cancelled");
    return 0;
}

bool GameAndText(const std::string& rest, uint32_t& gameId, std::wstring& text) {
    const size_t blank = rest.find(' ');
    if (!Utils::ParseDecimal(std::string_view(rest).substr(0, blank), gameId))
        return false;
    text =
        blank == std::string::npos ? std::wstring() : Utils::WideFromUtf8(rest.substr(blank + 1));
    return true;
}

} // namespace

GameLaunchHost& GameLaunchHost::Instance() {
    static GameLaunchHost host;
    return host;
}

bool IsLaunchCommand(const std::string& verb) {
    return verb == "game-path" || verb == "game-params" || verb == "game-setup" ||
           verb == "before-launch";
}

bool RunLaunchCommand(const std::string& verb, const std::string& rest) {
    GameLaunchHost& launch = GameLaunchHost::Instance();
    if (verb == "before-launch") {
        HostState& host = HostState::Instance();
        const std::wstring event(reinterpret_cast<const wchar_t*>(Portico::kBeforeLaunchEvent));
        if (rest.rfind("rewrite ", 0) == 0) {
            launch.rewriteTo = Utils::WideFromUtf8(rest.substr(8));
            host.handlers.emplace(event, &RewriteBeforeLaunch);
            return true;
        }
        if (rest == "cancel") {
            host.handlers.emplace(event, &CancelBeforeLaunch);
            return true;
        }
        return false;
    }
    uint32_t gameId = 0;
    std::wstring text;
    if (!GameAndText(rest, gameId, text))
        return false;
    auto& table = verb == "game-path"     ? launch.executables
                  : verb == "game-params" ? launch.parameters
                                          : launch.setupInstalls;
    table[gameId] = text;
    return true;
}

std::wstring LaunchEventText(const std::wstring& eventName, const void* record) {
    if (!record)
        return std::wstring();
    if (eventName == reinterpret_cast<const wchar_t*>(Portico::kBeforeLaunchEvent)) {
        const auto* before = static_cast<const BeforeLaunchRecord*>(record);
        return Format(L" kind=%u game=%u executable=\"%ls\" parameters=\"%ls\" proceed=%u",
                      before->kindAndGame >> 16, before->kindAndGame & 0xFFFF,
                      Field(before->executable).c_str(), Field(before->parameters).c_str(),
                      before->proceed);
    }
    if (eventName == reinterpret_cast<const wchar_t*>(Portico::kAfterLaunchEvent)) {
        const auto* after = static_cast<const AfterLaunchRecord*>(record);
        return Format(L" game=%u process=%ls pid=%u", after->gameId,
                      after->process != 0 ? L"yes" : L"no", after->processId);
    }
    return std::wstring();
}

} // namespace Lumora

using Lumora::Format;
using Lumora::GameLaunchHost;
using Lumora::HostLog;

extern "C" {

void WINAPI ReportGameStatus(int32_t status) {
    HostLog::Instance().Add(Format(L"ReportGameStatus %d", status));
}

void WINAPI GetGameLaunchInfo(uint32_t gameId, wchar_t* executable, wchar_t* parameters) {
    const GameLaunchHost& host = GameLaunchHost::Instance();
    const std::wstring path = Lumora::Of(host.executables, gameId);
    const std::wstring extra = Lumora::Of(host.parameters, gameId);
    Lumora::Copy(executable, path);
    Lumora::Copy(parameters, extra);
    HostLog::Instance().Add(
        Format(L"GetGameLaunchInfo %u \"%ls\" \"%ls\"", gameId, path.c_str(), extra.c_str()));
}

// The user installs the game while the host waits: afterwards the host knows its executable.
void WINAPI RequestGameSetup(uint32_t gameId) {
    GameLaunchHost& host = GameLaunchHost::Instance();
    const auto installed = host.setupInstalls.find(gameId);
    if (installed != host.setupInstalls.end())
        host.executables[gameId] = installed->second;
    HostLog::Instance().Add(Format(L"RequestGameSetup %u", gameId));
}

} // extern "C"
