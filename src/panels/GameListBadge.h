// The badge at the right end of the plug-in's category row in the host's game list. The host
// paints its rows while it handles their item pre-paint stage; the badge goes on top right
// after, only for the row whose item specifier is the category.
#pragma once

#include <cstdint>

namespace Portico::GameListBadge {

constexpr uint32_t kCategoryItem = 6;
constexpr uint32_t kItemPrePaint = 0x10001;
constexpr int kWidth = 29;
constexpr int kHeight = 16;
// Where the badge starts inside its bitmap.
constexpr int kSourceX = 5;
constexpr int kSourceY = 2;

struct Origin {
    int x;
    int y;
};

constexpr bool Draws(uint32_t drawStage, uintptr_t itemSpec) {
    return drawStage == kItemPrePaint && itemSpec == kCategoryItem;
}

// Right-aligned with a 3-pixel margin, centred vertically in the row.
constexpr Origin At(int right, int top, int bottom) {
    return Origin{right - 32, (top + bottom - kHeight) / 2};
}

} // namespace Portico::GameListBadge
