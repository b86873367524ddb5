// One started game's watch. The running game id follows the last watch to begin and is
// cleared by the first to end; the end of a game tells the browser window that the game is on
// no server. Begin runs on the launching thread, End on the watcher thread.
#pragma once

#include "common/MessageWindow.h"

#include <atomic>
#include <cstdint>

namespace Portico {

class GameWatch {
public:
    GameWatch(std::atomic<uint32_t>& runningGame, uint32_t game)
        : runningGame(&runningGame), game(game) {}

    uint32_t Game() const { return game; }

    // Before the watcher runs, so that the game's first report of its server, which the
    // browser handles on the launching thread, already finds the game running.
    void Begin() const { *runningGame = game; }
    void End(MessageWindow& browser) const;

private:
    std::atomic<uint32_t>* runningGame;
    uint32_t game;
};

} // namespace Portico
