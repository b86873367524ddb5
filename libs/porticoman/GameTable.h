// The games this library serves, in one table: engine, remote console, launch recipe and the
// player column. README.md lists the rows.
#pragma once

#include "utils/ArrayT.h"

#include <cstddef>
#include <cstdint>

namespace Portico {

enum class Engine : uint8_t { kSource, kGoldSrc, kQuake3 };

// A set of engines, one bit per Engine value: the engines a reply can have come from.
using EngineSet = uint8_t;
constexpr EngineSet EngineBit(Engine engine) {
    return EngineSet(1u << unsigned(engine));
}
constexpr EngineSet kA2sEngines = EngineBit(Engine::kSource) | EngineBit(Engine::kGoldSrc);
constexpr EngineSet kQuakeEngines = EngineBit(Engine::kQuake3);

// The remote-console dialect; it decides the RconKind and the console texts.
enum class RconStyle : uint8_t { kNone, kSourceTcp, kGoldSrcUdp, kQuakeUdp };

struct GameRecipe {
    uint16_t gameId;
    Engine engine;
    RconStyle rcon;
    const char16_t* name;
    uint16_t defaultPort; // the query port
    uint32_t registryRoot;
    const char16_t* subKey;
    const char16_t* valueName;
    const char16_t* fileName; // appended to the folder read from the registry
    const char16_t* fixedArguments;
    uint32_t playerColumnText;
    // The game folder its A2S servers report (the Valve master's \gamedir\ filter); null when
    // the engine has none.
    const char* folder;
    // The protocol number its Quake III master lists servers under; 0 for other engines.
    uint16_t listProtocol;
};

class GameTable {
public:
    // Predefined registry roots as their 32-bit handle values.
    static constexpr uint32_t kRegistryCurrentUser = 0x80000001;
    static constexpr uint32_t kRegistryLocalMachine = 0x80000002;
    // Language texts of the player list's time column.
    static constexpr uint32_t kTextPlayTime = 4002;
    static constexpr uint32_t kTextPing = 4004;

    static uint32_t Count();
    static const GameRecipe& Row(uint32_t index);
    static const GameRecipe* Find(uint32_t gameId);
    // The game on these engines whose servers report this folder; 0 when there is none.
    static uint16_t GameOfFolder(EngineSet engines, const char* folder, size_t length);
    // The game a reply from these engines is filed under: the selected game when it runs on
    // one of them, otherwise the first such game of the table (0 when there is none).
    static uint16_t GameFor(EngineSet engines, uint16_t selected);
    // Every game on these engines, the one GameFor names first.
    static void GamesFor(EngineSet engines, uint16_t selected, Utils::ArrayT<uint32_t>& ids);
};

} // namespace Portico
