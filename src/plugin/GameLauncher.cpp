#include "plugin/GameLauncher.h"

#include "common/LaunchRecords.h"
#include "common/PluginState.h"
#include "plugin/LaunchCommandLine.h"
#include "utils/Utf.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace Portico {
namespace {

// The connect arguments the game's protocol writes.
constexpr uint32_t kConnectChars = 260;

std::u16string Number(uint32_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// A text of another module's buffer: up to its terminator, never past the buffer.
std::u16string Bounded(const char16_t* text, size_t capacity) {
    return text ? std::u16string(text, Utils::Utf::BoundedLength(text, capacity))
                : std::u16string();
}

// Into a record's field as the host's buffers hold it: every text read from one fits whole,
// without a terminator only when it fills the field.
void Fill(char16_t (&field)[kLaunchPathChars], const std::u16string& text) {
    std::fill(std::begin(field), std::end(field), char16_t(0));
    std::copy_n(text.begin(), std::min<size_t>(text.size(), kLaunchPathChars), field);
}

} // namespace

void GameLauncher::Launch(const ServerAddress& address, const std::u16string* password) {
    const bool events = system.FindEventManager();
    ProtocolManager* manager = protocols ? protocols() : nullptr;
    const GameProtocol* protocol = manager ? manager->GetProtocol(address.gameId) : nullptr;
    if (!protocol) {
        system.Note(u"no launch recipe for game " + Number(address.gameId));
        return;
    }
    Paths paths;
    if (!FindExecutable(address.gameId, *protocol, paths)) {
        system.Note(u"no executable for game " + Number(address.gameId));
        return;
    }
    if (events && !RaiseBeforeLaunch(address.gameId, paths))
        return;
    std::u16string line;
    if (!BuildLine(*protocol, address, paths, password, line)) {
        system.Note(u"command line longer than " + Number(kCommandLineChars - 1) +
                    u" characters: not started");
        return;
    }
    Start(address.gameId, events, line, WorkingFolder(paths.executable));
}

bool GameLauncher::FindExecutable(uint32_t gameId, const GameProtocol& protocol, Paths& paths) {
    AskHost(gameId, paths);
    if (system.FileExists(paths.executable))
        return true;
    if (FromRegistry(protocol, paths) && system.FileExists(paths.executable))
        return true;
    system.RequestGameSetup(gameId);
    AskHost(gameId, paths);
    return system.FileExists(paths.executable);
}

void GameLauncher::AskHost(uint32_t gameId, Paths& paths) {
    char16_t executable[kLaunchPathChars] = {};
    char16_t parameters[kLaunchPathChars] = {};
    system.GetGameLaunchInfo(gameId, executable, parameters);
    paths.executable = Bounded(executable, kLaunchPathChars);
    paths.parameters = Bounded(parameters, kLaunchPathChars);
}

bool GameLauncher::FromRegistry(const GameProtocol& protocol, Paths& paths) {
    uint32_t root = 0;
    const char16_t* subKey = nullptr;
    const char16_t* valueName = nullptr;
    const char16_t* fileName = nullptr;
    if (!protocol.GetInstallLocation(root, subKey, valueName, fileName) || !subKey || !valueName)
        return false;
    std::u16string path;
    if (!system.ReadRegistryText(root, subKey, valueName, path))
        return false;
    path += Bounded(fileName, kLaunchPathChars);
    // A path cut to the buffer would name another file.
    if (path.size() >= kLaunchPathChars)
        return false;
    paths.executable = path;
    return true;
}

bool GameLauncher::RaiseBeforeLaunch(uint32_t gameId, Paths& paths) {
    BeforeLaunchRecord record{};
    record.kindAndGame = kBeforeLaunchKind << 16 | (gameId & 0xFFFF);
    Fill(record.executable, paths.executable);
    Fill(record.parameters, paths.parameters);
    record.proceed = 1;
    system.RaiseEvent(kBeforeLaunchEvent, &record);
    if (record.proceed == 0)
        return false;
    paths.executable = Bounded(record.executable, kLaunchPathChars);
    paths.parameters = Bounded(record.parameters, kLaunchPathChars);
    return true;
}

bool GameLauncher::BuildLine(const GameProtocol& protocol, const ServerAddress& address,
                             const Paths& paths, const std::u16string* password,
                             std::u16string& line) {
    char16_t connect[kConnectChars] = {};
    protocol.GetConnectArguments(connect, kConnectChars, address);
    LaunchArguments arguments;
    arguments.executable = paths.executable;
    arguments.fixed = Bounded(protocol.GetFixedArguments(), kCommandLineChars);
    arguments.parameters = paths.parameters;
    arguments.connect = Bounded(connect, kConnectChars);
    arguments.password = password;
    return BuildCommandLine(arguments, line);
}

void GameLauncher::Start(uint32_t gameId, bool events, const std::u16string& line,
                         const std::u16string& folder) {
    LaunchSystem::Process process;
    if (!system.StartSuspended(line, folder, process)) {
        system.Note(u"the game of " + Number(gameId) + u" could not be started");
        return;
    }
    if (!system.InjectHook(process))
        system.Note(u"the game of " + Number(gameId) + u" runs without the hook");
    if (events) {
        AfterLaunchRecord record{gameId, uint32_t(process.handle), process.id};
        system.RaiseEvent(kAfterLaunchEvent, &record);
    }
    system.Resume(process);
    if (!system.Watch(process, GameWatch(state.runningGame, gameId)))
        system.Note(u"the game of " + Number(gameId) + u" runs unwatched");
}

} // namespace Portico
