// A window as the portable core sees it: something that takes a synchronous message.
// On Windows it wraps SendMessageW on a window handle; tests record or forward.
#pragma once

#include <cstdint>

namespace Portico {

class MessageWindow {
public:
    virtual intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

protected:
    ~MessageWindow() = default;
};

} // namespace Portico
