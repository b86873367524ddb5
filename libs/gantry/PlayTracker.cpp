#include "PlayTracker.h"

namespace Portico {

namespace {

constexpr uint32_t kFirstMulticast = 0xE0000000u; // 224.0.0.0; above are multicast and broadcast

bool IsServer(PlayServer to) {
    return to.ip != 0 && to.ip < kFirstMulticast && to.port != 0;
}

} // namespace

PlayTracker::PlayTracker(PlayServer start) : current(start), changed(start.ip != 0) {}

void PlayTracker::OnSend(PlayServer to, uint64_t nowMs) {
    if (!IsServer(to))
        return;
    if (to == current) {
        heard = true;
        lastHeardMs = nowMs;
        return;
    }
    Count& count = CountOf(to, nowMs);
    if (nowMs - count.lastSendMs > kSteadyGapMs)
        count.sends = 0;
    count.lastSendMs = nowMs;
    if (++count.sends < kSteadySends || CurrentIsActive(nowMs))
        return;
    current = to;
    changed = true;
    heard = true;
    lastHeardMs = nowMs;
    count = Count{};
}

bool PlayTracker::CurrentIsActive(uint64_t nowMs) const {
    return current.ip != 0 && heard && nowMs - lastHeardMs < kSwitchQuietMs;
}

bool PlayTracker::TakeChange(uint64_t nowMs, PlayServer& server) {
    if (current.ip != 0 && heard && nowMs - lastHeardMs > kQuietMs) {
        current = PlayServer{};
        changed = true;
        heard = false;
    }
    if (!changed)
        return false;
    changed = false;
    server = current;
    return true;
}

PlayTracker::Count& PlayTracker::CountOf(PlayServer to, uint64_t nowMs) {
    // An unused slot sorts first, then the one sent to longest ago.
    const auto age = [](const Count& count) { return count.sends == 0 ? 0 : count.lastSendMs + 1; };
    Count* slot = &counts[0];
    for (Count& count : counts) {
        if (count.sends != 0 && count.server == to)
            return count;
        if (age(count) < age(*slot))
            slot = &count;
    }
    *slot = Count{to, nowMs, 0};
    return *slot;
}

} // namespace Portico
