// A launch system that answers from a script and writes down every call in order, and a game
// protocol whose launch recipe a test chooses.
#pragma once

#include "FakeQueryContext.h"
#include "common/LaunchRecords.h"
#include "plugin/LaunchSystem.h"
#include "utils/Utf.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Portico::Test {

inline std::string Utf8(const std::u16string& text) {
    return Utils::Utf::ToUtf8(text);
}

class ScriptedLaunchSystem : public LaunchSystem {
public:
    struct LaunchInfo {
        std::u16string executable;
        std::u16string parameters;
    };

    void GetGameLaunchInfo(uint32_t gameId, char16_t* executable, char16_t* parameters) override {
        calls.push_back("GetGameLaunchInfo " + std::to_string(gameId));
        const LaunchInfo& info = launchInfo[gameId];
        // As the host writes them: at most the whole buffer, terminated when it fits.
        for (size_t i = 0; i < kLaunchPathChars; ++i) {
            executable[i] = i < info.executable.size() ? info.executable[i] : 0;
            parameters[i] = i < info.parameters.size() ? info.parameters[i] : 0;
        }
    }
    void RequestGameSetup(uint32_t gameId) override {
        calls.push_back("RequestGameSetup " + std::to_string(gameId));
        if (setupInstalls)
            launchInfo[gameId].executable = *setupInstalls;
    }
    bool FindEventManager() override { return eventManager; }
    void RaiseEvent(const char16_t* name, void* record) override {
        calls.push_back("RaiseEvent " + Utf8(name));
        if (std::u16string(name) == kBeforeLaunchEvent) {
            before = *static_cast<BeforeLaunchRecord*>(record);
            if (beforeHandler)
                beforeHandler(*static_cast<BeforeLaunchRecord*>(record));
        } else {
            after = *static_cast<AfterLaunchRecord*>(record);
        }
    }
    bool FileExists(const std::u16string& path) override {
        calls.push_back("FileExists " + Utf8(path));
        return files.count(path) > 0;
    }
    bool ReadRegistryText(uint32_t rootKey, const char16_t* subKey, const char16_t* valueName,
                          std::u16string& text) override {
        const std::string key =
            std::to_string(rootKey) + " " + Utf8(subKey) + " " + Utf8(valueName);
        calls.push_back("ReadRegistryText " + key);
        const auto found = registry.find(key);
        if (found == registry.end())
            return false;
        text = found->second;
        return true;
    }
    bool StartSuspended(const std::u16string& commandLine, const std::u16string& folder,
                        Process& process) override {
        calls.push_back("StartSuspended");
        line = commandLine;
        startFolder = folder;
        if (startFails)
            return false;
        process.handle = 0x1234;
        process.thread = 0x5678;
        process.id = 4242;
        return true;
    }
    bool InjectHook(const Process& process) override {
        calls.push_back("InjectHook " + std::to_string(process.handle));
        return !injectFails;
    }
    void Resume(Process& process) override {
        calls.push_back("Resume " + std::to_string(process.thread));
    }
    bool Watch(Process& process, const GameWatch& watch) override {
        calls.push_back("Watch " + std::to_string(process.handle));
        if (watchFails)
            return false;
        watch.Begin();
        watches.push_back(watch);
        return true;
    }
    void Note(const std::u16string& what) override { notes.push_back(Utf8(what)); }

    // The answers.
    std::map<uint32_t, LaunchInfo> launchInfo;
    std::optional<std::u16string> setupInstalls; // what the setup request makes the host answer
    std::set<std::u16string> files;
    std::map<std::string, std::u16string> registry; // "root subkey value" -> text
    bool eventManager = true;
    std::function<void(BeforeLaunchRecord&)> beforeHandler;
    bool startFails = false, injectFails = false, watchFails = false;

    // What happened.
    std::vector<std::string> calls;
    std::vector<std::string> notes;
    BeforeLaunchRecord before{};
    AfterLaunchRecord after{};
    std::u16string line, startFolder;
    std::vector<GameWatch> watches;
};

// A protocol whose launch recipe the test sets.
class RecipeProtocol : public FakeProtocol {
public:
    RecipeProtocol() : FakeProtocol(7) {}
    bool GetInstallLocation(uint32_t& root, const char16_t*& subKey, const char16_t*& valueName,
                            const char16_t*& fileName) const override {
        root = 1;
        subKey = u"Key";
        valueName = u"Value";
        fileName = u"\\game.exe";
        return hasLocation;
    }
    const char16_t* GetFixedArguments() const override { return u"-fixed"; }
    void GetConnectArguments(char16_t* buffer, uint32_t capacity,
                             const ServerAddress&) const override {
        Utils::Utf::CopyToField(buffer, capacity, u"+connect here");
    }

    bool hasLocation = true;
};

class RecipeProtocols : public ProtocolManager {
public:
    uint32_t InterfaceVersion() const override { return kProtocolInterfaceVersion; }
    GameProtocol* GetProtocol(uint32_t gameId) override {
        return gameId == 7 ? &protocol : nullptr;
    }
    const Utils::ArrayT<uint32_t>* ParseReply(ByteInStream&, const ServerAddress&,
                                              Utils::ArrayT<ServerAddress>*, ServerInfo*,
                                              PlayerList*, bool*) override {
        return nullptr;
    }
    RecipeProtocol protocol;
};

} // namespace Portico::Test
