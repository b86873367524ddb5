#include "SplitEncoder.h"

#include <algorithm>

namespace Portico {

namespace {

const char* const kSplitHeader = "\xFE\xFF\xFF\xFF";

size_t MaxPieces(SimSplitLayout layout) {
    return layout == SimSplitLayout::GoldSrc ? 15 : 255;
}

} // namespace

std::vector<SimBytes> SplitAnswer(const SimBytes& answer, uint32_t answerId, uint32_t pieceBytes,
                                  SimSplitLayout layout) {
    const size_t maxPieces = MaxPieces(layout);
    size_t piece = std::max<size_t>(pieceBytes, 1);
    if ((answer.size() + piece - 1) / piece > maxPieces)
        piece = (answer.size() + maxPieces - 1) / maxPieces;
    const size_t total = std::max<size_t>((answer.size() + piece - 1) / piece, 1);
    const uint32_t id = answerId & 0x7FFFFFFF;

    std::vector<SimBytes> pieces;
    for (size_t number = 0; number < total; ++number) {
        SimWriter out;
        out.Raw(kSplitHeader).Int32(id);
        if (layout == SimSplitLayout::GoldSrc) {
            out.Byte(uint8_t(number << 4 | total));
        } else {
            out.Byte(uint8_t(total)).Byte(uint8_t(number));
            if (layout != SimSplitLayout::SourceNoSize)
                out.Int16(uint16_t(std::min<size_t>(piece, 0xFFFF)));
        }
        out.Raw(answer.substr(number * piece, piece));
        pieces.push_back(out.Take());
    }
    return pieces;
}

} // namespace Portico
