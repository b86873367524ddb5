#include "GameTable.h"

#include <cstring>

namespace Portico {

namespace {

constexpr GameRecipe kGames[] = {
    {1003, Engine::kSource, RconStyle::kSourceTcp, u"Harbor Assault", 27015,
     GameTable::kRegistryLocalMachine, u"Software\\Portico Demo\\Harbor Assault", u"InstallPath",
     u"\\harbor.exe", u"-game harbor -novid", GameTable::kTextPlayTime, "harbor", 0},
    {1028, Engine::kSource, RconStyle::kSourceTcp, u"Frontier Ops", 27016,
     GameTable::kRegistryCurrentUser, u"Software\\Portico Demo\\Frontier Ops", u"InstallDir",
     u"\\frontier.exe", u"-game frontier -novid -console", GameTable::kTextPlayTime, "frontier", 0},
    {1005, Engine::kGoldSrc, RconStyle::kGoldSrcUdp, u"Valley Siege", 27015,
     GameTable::kRegistryLocalMachine, u"Software\\Portico Demo\\Valley Siege", u"InstallPath",
     u"\\valley.exe", u"-game valley", GameTable::kTextPlayTime, "valley", 0},
    {1010, Engine::kQuake3, RconStyle::kQuakeUdp, u"Arena Eclipse", 27960,
     GameTable::kRegistryLocalMachine, u"Software\\Portico Demo\\Arena Eclipse", u"InstallPath",
     u"\\eclipse.exe", u"+set com_hunkmegs 128", GameTable::kTextPing, nullptr, 68},
};

constexpr uint32_t kGameCount = sizeof kGames / sizeof kGames[0];

bool RunsOn(const GameRecipe& game, EngineSet engines) {
    return (EngineBit(game.engine) & engines) != 0;
}

} // namespace

uint32_t GameTable::Count() {
    return kGameCount;
}

const GameRecipe& GameTable::Row(uint32_t index) {
    return kGames[index];
}

const GameRecipe* GameTable::Find(uint32_t gameId) {
    for (const GameRecipe& game : kGames)
        if (game.gameId == gameId)
            return &game;
    return nullptr;
}

uint16_t GameTable::GameOfFolder(EngineSet engines, const char* folder, size_t length) {
    for (const GameRecipe& game : kGames)
        if (game.folder && RunsOn(game, engines) && std::strlen(game.folder) == length &&
            std::memcmp(game.folder, folder, length) == 0)
            return game.gameId;
    return 0;
}

uint16_t GameTable::GameFor(EngineSet engines, uint16_t selected) {
    const GameRecipe* game = Find(selected);
    if (game && RunsOn(*game, engines))
        return selected;
    for (const GameRecipe& other : kGames)
        if (RunsOn(other, engines))
            return other.gameId;
    return 0;
}

void GameTable::GamesFor(EngineSet engines, uint16_t selected, Utils::ArrayT<uint32_t>& ids) {
    const uint16_t first = GameFor(engines, selected);
    if (first == 0)
        return;
    ids.Append(first);
    for (const GameRecipe& game : kGames)
        if (game.gameId != first && RunsOn(game, engines))
            ids.Append(uint32_t(game.gameId));
}

} // namespace Portico
