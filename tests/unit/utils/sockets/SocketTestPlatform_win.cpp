#include "SocketTestSupport.h"

namespace SocketTest {

// Wine shuts a socket down before it closes it, so the far side sees the orderly end before
// the reset that an abortive close sends.
bool ResetMayArriveAsEnd() {
    return true;
}

} // namespace SocketTest
