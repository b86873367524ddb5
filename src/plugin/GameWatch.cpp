#include "plugin/GameWatch.h"

#include "common/Messages.h"

namespace Portico {

void GameWatch::End(MessageWindow& browser) const {
    browser.Send(kMsgGameServer, 0, 0);
    *runningGame = 0;
}

} // namespace Portico
