#include "SplitReassembler.h"

#include "PacketReader.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace Portico {

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

constexpr uint32_t kSplitHeader = 0xFFFFFFFE;
constexpr uint8_t kSingleHeader[4] = {0xFF, 0xFF, 0xFF, 0xFF};
// Source marks a bzip2-compressed answer by the top bit of its id; we do not inflate them.
constexpr uint32_t kCompressedBit = 0x80000000;

bool StartsWithHeader(const uint8_t* data, uint32_t size) {
    return size >= 4 && std::memcmp(data, kSingleHeader, 4) == 0;
}

} // namespace

// Byte 8 is the Source piece count or the GoldSrc number << 4 | count. The two are told apart
// without knowing the engine: with at most 15 pieces a Source byte 8 has a zero high nibble,
// and a GoldSrc first piece carries the answer's FF FF FF FF right after it, where Source has
// the piece number (below 15).
bool SplitReassembler::ReadPiece(const uint8_t* data, uint32_t size, Piece& piece) {
    PacketReader reader(data, size);
    uint32_t header;
    uint8_t counts;
    if (!reader.U32(header) || header != kSplitHeader || !reader.U32(piece.id) ||
        !reader.U8(counts))
        return false;
    if ((counts >> 4) != 0 || StartsWithHeader(reader.Here(), reader.Remaining())) {
        piece.layout = Layout::kGoldSrc;
        piece.number = counts >> 4;
        piece.total = counts & 0x0F;
    } else {
        piece.layout = Layout::kSource;
        piece.total = counts;
        if (!reader.U8(piece.number) || (piece.id & kCompressedBit) != 0)
            return false;
    }
    piece.payload = reader.Here();
    piece.payloadSize = reader.Remaining();
    return piece.total >= 1 && piece.total <= kMaxPieces && piece.number < piece.total &&
           piece.payloadSize <= kMaxAnswerBytes;
}

// Source engines from before the piece-size field start the first payload with the answer's
// header at once; later ones put the 16-bit size in front of every payload.
bool SplitReassembler::Join(Answer& answer, std::vector<uint8_t>& joined) {
    uint32_t skip = 0;
    if (answer.layout == Layout::kSource) {
        const std::vector<uint8_t>& first = answer.pieces[0];
        const auto firstSize = uint32_t(first.size());
        if (StartsWithHeader(first.data(), firstSize))
            skip = 0;
        else if (firstSize >= 2 && StartsWithHeader(first.data() + 2, firstSize - 2))
            skip = 2;
        else
            return false;
    }
    joined.clear();
    for (uint32_t i = 0; i < answer.total; ++i) {
        const std::vector<uint8_t>& payload = answer.pieces[i];
        if (payload.size() < skip)
            return false;
        joined.insert(joined.end(), payload.begin() + skip, payload.end());
    }
    return StartsWithHeader(joined.data(), uint32_t(joined.size()));
}

// Callers read the clock before they take the lock, so an answer may have been started by
// another thread at a slightly later time than nowMs: that one is fresh.
void SplitReassembler::DropStale(uint64_t nowMs) {
    answers.erase(std::remove_if(answers.begin(), answers.end(),
                                 [nowMs](const Answer& answer) {
                                     return nowMs > answer.startedMs &&
                                            nowMs - answer.startedMs > kPendingLifetimeMs;
                                 }),
                  answers.end());
}

void SplitReassembler::Start(uint64_t source, const Piece& piece, uint64_t nowMs) {
    if (answers.size() >= kMaxPending) {
        const auto oldest =
            std::min_element(answers.begin(), answers.end(), [](const Answer& a, const Answer& b) {
                return a.startedMs < b.startedMs;
            });
        answers.erase(oldest);
    }
    answers.emplace_back();
    Answer& answer = answers.back();
    answer.source = source;
    answer.id = piece.id;
    answer.layout = piece.layout;
    answer.total = piece.total;
    answer.received = 0;
    answer.bytes = 0;
    answer.startedMs = nowMs;
    std::fill(std::begin(answer.present), std::end(answer.present), false);
}

SplitReassembler::Result SplitReassembler::Add(uint64_t source, const uint8_t* data, uint32_t size,
                                               uint64_t nowMs, std::vector<uint8_t>& joined) {
    Piece piece;
    if (!ReadPiece(data, size, piece))
        return Result::kRefused;

    const Guard guard(lock);
    DropStale(nowMs);
    auto found = std::find_if(answers.begin(), answers.end(), [&](const Answer& answer) {
        return answer.source == source && answer.id == piece.id;
    });
    if (found == answers.end()) {
        Start(source, piece, nowMs);
        found = std::prev(answers.end());
    } else if (found->layout != piece.layout || found->total != piece.total) {
        return Result::kRefused;
    }
    Answer& answer = *found;
    if (answer.present[piece.number])
        return Result::kPending; // a duplicate: the first copy stands
    if (answer.bytes + piece.payloadSize > kMaxAnswerBytes) {
        answers.erase(found);
        return Result::kRefused;
    }
    answer.pieces[piece.number].assign(piece.payload, piece.payload + piece.payloadSize);
    answer.present[piece.number] = true;
    answer.bytes += piece.payloadSize;
    if (++answer.received < answer.total)
        return Result::kPending;
    const bool joinedWell = Join(answer, joined);
    answers.erase(found);
    return joinedWell ? Result::kComplete : Result::kRefused;
}

uint32_t SplitReassembler::PendingCount() const {
    const Guard guard(lock);
    return uint32_t(answers.size());
}

} // namespace Portico
