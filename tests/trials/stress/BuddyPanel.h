// The buddy-list panel as the schedulers meet it: the receiver of probe answers (0x2011), on
// the window thread.
#pragma once

#include "WindowThread.h"

#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "query/QueryContext.h"
#include "utils/Utf.h"

#include <cstdint>

namespace Trials {

class BuddyPanel : public Portico::MessageWindow {
public:
    explicit BuddyPanel(WindowThread& thread) : thread(thread) {}

    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        return thread.Deliver([=] {
            if (message != Portico::kMsgBuddyGame)
                return intptr_t(0);
            const auto* answer = reinterpret_cast<const Portico::ProbeAnswer*>(wParam);
            const auto* name = reinterpret_cast<const char16_t*>(lParam);
            ++answers;
            if (answer->tag == 0 || Utils::Utf::BoundedLength(name, 128) >= 128)
                ++badAnswers;
            return intptr_t(0);
        });
    }

    // Read on the window thread, or once it has ended.
    uint64_t answers = 0;
    uint64_t badAnswers = 0;

private:
    WindowThread& thread;
};

} // namespace Trials
