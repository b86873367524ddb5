// The records the plug-in hands the host's event manager around a game launch. The host's
// handlers of "OnBeforeLaunchGame" may change the first one, and clear proceed to cancel.
// Both the plug-in and the stand-in host are built from this header.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Portico {

// The executable and parameters buffers of the host's GetGameLaunchInfo, in characters.
constexpr uint32_t kLaunchPathChars = 260;

constexpr char16_t kBeforeLaunchEvent[] = u"OnBeforeLaunchGame";
constexpr char16_t kAfterLaunchEvent[] = u"OnAfterLaunchGame";

// The high 16 bits of BeforeLaunchRecord::kindAndGame.
constexpr uint32_t kBeforeLaunchKind = 1;

struct BeforeLaunchRecord {
    uint32_t kindAndGame; // low 16 bits the game id, high 16 bits kBeforeLaunchKind
    char16_t executable[kLaunchPathChars];
    char16_t parameters[kLaunchPathChars];
    uint32_t proceed; // 1 on entry; a handler sets 0 to cancel the launch
};
static_assert(sizeof(BeforeLaunchRecord) == 1048, "the before-launch record is 1048 bytes");
static_assert(offsetof(BeforeLaunchRecord, executable) == 4, "before-launch record layout");
static_assert(offsetof(BeforeLaunchRecord, parameters) == 524, "before-launch record layout");
static_assert(offsetof(BeforeLaunchRecord, proceed) == 1044, "before-launch record layout");

struct AfterLaunchRecord {
    uint32_t gameId;
    uint32_t process; // the process handle as a 32-bit number
    uint32_t processId;
};
static_assert(sizeof(AfterLaunchRecord) == 12, "the after-launch record is 12 bytes");

} // namespace Portico
