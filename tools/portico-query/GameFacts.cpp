#include "GameFacts.h"

#include "GameTable.h"

#include "utils/Utf.h"

#include <cctype>

namespace Portico {

namespace {

// The first game of the table on one of these engines (0 when none).
uint16_t FirstOn(EngineSet engines) {
    for (uint32_t i = 0; i < GameTable::Count(); ++i)
        if (EngineBit(GameTable::Row(i).engine) & engines)
            return GameTable::Row(i).gameId;
    return 0;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool GameFacts::Known(uint16_t game) {
    return GameTable::Find(game) != nullptr;
}

std::string GameFacts::KnownList() {
    std::string text;
    for (uint32_t i = 0; i < GameTable::Count(); ++i) {
        const uint16_t id = GameTable::Row(i).gameId;
        text += (i ? ", " : "") + std::to_string(id) + " (" + Name(id) + ")";
    }
    return text;
}

std::string GameFacts::Name(uint16_t game) {
    const GameRecipe* recipe = GameTable::Find(game);
    if (!recipe)
        return std::to_string(game);
    return Utils::Utf::ToUtf8({recipe->name, Utils::Utf::BoundedLength(recipe->name, 256)});
}

bool GameFacts::QuakeMaster(uint16_t game) {
    const GameRecipe* recipe = GameTable::Find(game);
    return recipe && recipe->engine == Engine::kQuake3;
}

std::string GameFacts::MasterFilter(uint16_t game) {
    const GameRecipe* recipe = GameTable::Find(game);
    return recipe && recipe->folder ? std::string("\\gamedir\\") + recipe->folder : std::string();
}

uint16_t GameFacts::ListProtocol(uint16_t game) {
    const GameRecipe* recipe = GameTable::Find(game);
    return recipe ? recipe->listProtocol : 0;
}

const char* GameFacts::PlayerTimeKey(uint16_t game) {
    const GameRecipe* recipe = GameTable::Find(game);
    if (recipe && recipe->playerColumnText == GameTable::kTextPlayTime)
        return "seconds";
    if (recipe && recipe->playerColumnText == GameTable::kTextPing)
        return "ping";
    return "time";
}

uint16_t GameFacts::OfServerType(const std::string& type, uint16_t a2sGame) {
    const std::string name = Lower(type);
    if (name == "a2s") {
        const GameRecipe* recipe = GameTable::Find(a2sGame);
        return recipe && (EngineBit(recipe->engine) & kA2sEngines) ? a2sGame : FirstOn(kA2sEngines);
    }
    if (name == "hla2s")
        return FirstOn(EngineBit(Engine::kGoldSrc));
    if (name == "q3s")
        return FirstOn(kQuakeEngines);
    if (name.empty() || name.size() > 5 ||
        name.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const unsigned long number = std::stoul(name);
    return number <= 0xFFFF && Known(uint16_t(number)) ? uint16_t(number) : 0;
}

} // namespace Portico
