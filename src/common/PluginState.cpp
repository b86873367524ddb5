#include "common/PluginState.h"

#include <vector>

namespace Portico {
namespace {
const std::u16string kNoText;
} // namespace

bool UserLevelAllowsRcon(int32_t level) {
    return level == 100 || (level >= 1 && level <= 9);
}

uint32_t PluginState::AddGame(uint32_t gameId, const std::u16string& name, void* icon) {
    if (gameCount >= kMaxGames)
        return 0;
    Game& slot = games[++gameCount];
    slot.gameId = gameId;
    slot.name = name;
    slot.icon = icon;
    return gameCount;
}

uint32_t PluginState::GameIdAt(uint32_t itemId) const {
    return itemId >= 1 && itemId <= gameCount ? games[itemId].gameId : 0;
}

const std::u16string& PluginState::NameAt(uint32_t itemId) const {
    return itemId >= 1 && itemId <= gameCount ? games[itemId].name : kNoText;
}

void* PluginState::IconAt(uint32_t itemId) const {
    return itemId >= 1 && itemId <= gameCount ? games[itemId].icon : nullptr;
}

uint32_t PluginState::FindItem(uint32_t gameId) const {
    for (uint32_t item = 1; item <= gameCount; ++item)
        if (games[item].gameId == gameId)
            return item;
    return 0;
}

bool PluginState::BuildCatalogue(CatalogueSource& source, CatalogueSink& sink) {
    std::vector<CatalogueGame> games;
    if (!source.ReadGames(games))
        return false;
    ResetCatalogue();
    for (const CatalogueGame& game : games) {
        void* icon = sink.ExtractIcon(game.icon);
        const uint32_t item = AddGame(game.gameId, game.name, icon);
        if (item == 0) {
            // The table is full: later games stay out of the host's list as well.
            if (icon)
                sink.ReleaseIcon(icon);
            break;
        }
        sink.AddCategoryItem(game.name, icon, item);
    }
    return true;
}

bool PluginState::SelectItem(uint32_t itemId) {
    if (itemId > gameCount)
        return false;
    currentGame = GameIdAt(itemId);
    return true;
}

uint32_t PluginState::EnterRoom(uint32_t gameId) {
    currentGame = gameId;
    return FindItem(gameId);
}

const std::u16string& PluginState::Text(uint32_t textId) const {
    const auto it = texts.find(uint16_t(textId));
    return it != texts.end() ? it->second : kNoText;
}

void PluginState::ApplyUserLevel(int32_t level) {
    // Never cleared by a later login with a lower level.
    if (UserLevelAllowsRcon(level))
        rconAllowed = true;
}

} // namespace Portico
