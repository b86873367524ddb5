// Cuts one answer into split-answer pieces (header FE FF FF FF) in the Source or GoldSrc layout.
#pragma once

#include "SimBytes.h"
#include "SimConfig.h"

#include <vector>

namespace Portico {

// Pieces of at most pieceBytes answer bytes each, in order. A layout that cannot count that
// many pieces (GoldSrc: 15, Source: 255) gets fewer, larger pieces. answerId keeps its low 31
// bits: the top bit would mark a compressed answer.
std::vector<SimBytes> SplitAnswer(const SimBytes& answer, uint32_t answerId, uint32_t pieceBytes,
                                  SimSplitLayout layout);

} // namespace Portico
