// The plug-in-wide state that the host events build and every other piece reads: the game
// catalogue, the current and running game, the language texts, the user's address and region,
// the remote-console permission and whether the browser window exists.
#pragma once

#include "common/CatalogueSource.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

namespace Portico {

// Host levels that may open a remote console: 1 to 9 and exactly 100.
bool UserLevelAllowsRcon(int32_t level);

class PluginState {
public:
    static constexpr uint32_t kMaxGames = 31; // item ids 1..31; slot 0 is never filled

    // Catalogue. Item ids follow the order of AddGame since the last reset.
    void ResetCatalogue() { gameCount = 0; }
    // The new item id, or 0 when the table is full (the game is then left out).
    uint32_t AddGame(uint32_t gameId, const std::u16string& name, void* icon);
    uint32_t GameCount() const { return gameCount; }
    // Item ids above the count (and 0) give game 0, an empty name and no icon.
    uint32_t GameIdAt(uint32_t itemId) const;
    const std::u16string& NameAt(uint32_t itemId) const;
    void* IconAt(uint32_t itemId) const;
    // The first item id with that game, 0 when none.
    uint32_t FindItem(uint32_t gameId) const;

    // Login: when the source can be read, starts the catalogue again from item 1 and hands
    // every game that fits to the sink. False (catalogue unchanged) when it cannot be read.
    bool BuildCatalogue(CatalogueSource& source, CatalogueSink& sink);
    // A click on an item of the plug-in's category: false for an item beyond the count;
    // otherwise the current game becomes that item's (item 0: game 0).
    bool SelectItem(uint32_t itemId);
    // Entering a room: the current game becomes the room's; its item id, 0 when none.
    uint32_t EnterRoom(uint32_t gameId);

    // Texts of the host's language library, by id; a missing id gives an empty text.
    void SetText(uint32_t textId, const std::u16string& text) { texts[uint16_t(textId)] = text; }
    const std::u16string& Text(uint32_t textId) const;
    const std::map<uint16_t, std::u16string>& Texts() const { return texts; }

    void ApplyUserLevel(int32_t level);
    bool RconAllowed() const { return rconAllowed; }

    // The user's country code, first letter * 256 + second.
    uint16_t CountryCode() const { return uint16_t(country[0] << 8 | country[1]); }

    std::atomic<uint32_t> currentGame{0}; // read by the query engine's receive threads
    std::atomic<uint32_t> runningGame{0}; // written by the game watcher thread
    void* language = nullptr;
    uint32_t userAddress = 0; // host byte order
    uint8_t region = 0;
    uint8_t country[3] = {};
    bool browserCreated = false;

private:
    struct Game {
        uint32_t gameId = 0;
        std::u16string name;
        void* icon = nullptr;
    };
    bool rconAllowed = false;
    uint32_t gameCount = 0;
    Game games[kMaxGames + 1];
    std::map<uint16_t, std::u16string> texts;
};

} // namespace Portico
