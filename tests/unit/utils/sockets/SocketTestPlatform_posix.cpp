#include "SocketTestSupport.h"

namespace SocketTest {

bool ResetMayArriveAsEnd() {
    return false;
}

} // namespace SocketTest
