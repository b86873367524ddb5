#include "SplitReassembler.h"
#include "Packet.h"

#include <gtest/gtest.h>

using namespace Portico;
using ProtocolTest::Packet;
using Result = SplitReassembler::Result;

namespace {

enum class Layout { kSourceWithSize, kSourceWithoutSize, kGoldSrc };

std::vector<uint8_t> Answer(size_t length) {
    Packet p;
    p.Header().U8('D');
    for (size_t i = 5; i < length; ++i)
        p.U8(uint8_t(i * 7));
    return p.data;
}

// Cuts an answer into pieces of at most pieceSize payload bytes, in the given layout.
std::vector<std::vector<uint8_t>> Split(const std::vector<uint8_t>& answer, uint32_t id,
                                        size_t pieceSize, Layout layout) {
    const size_t total = (answer.size() + pieceSize - 1) / pieceSize;
    std::vector<std::vector<uint8_t>> pieces;
    for (size_t n = 0; n < total; ++n) {
        Packet p;
        p.SplitHeader(id);
        if (layout == Layout::kGoldSrc) {
            p.U8(uint8_t(n << 4 | total));
        } else {
            p.U8(uint8_t(total)).U8(uint8_t(n));
            if (layout == Layout::kSourceWithSize)
                p.U16(uint16_t(pieceSize));
        }
        const size_t from = n * pieceSize, to = std::min(answer.size(), from + pieceSize);
        p.Append(std::vector<uint8_t>(answer.begin() + from, answer.begin() + to));
        pieces.push_back(p.data);
    }
    return pieces;
}

Result Add(SplitReassembler& splits, const std::vector<uint8_t>& piece, uint64_t nowMs,
           std::vector<uint8_t>& joined, uint64_t source = 1) {
    return splits.Add(source, piece.data(), uint32_t(piece.size()), nowMs, joined);
}

} // namespace

TEST(SplitReassembler, EveryLayoutJoinsPiecesArrivingInAnyOrder) {
    for (const Layout layout :
         {Layout::kSourceWithSize, Layout::kSourceWithoutSize, Layout::kGoldSrc}) {
        SplitReassembler splits;
        const std::vector<uint8_t> answer = Answer(3000);
        const auto pieces = Split(answer, 77, 1248, layout);
        ASSERT_EQ(pieces.size(), 3u);
        std::vector<uint8_t> joined;
        EXPECT_EQ(Add(splits, pieces[2], 10, joined), Result::kPending);
        EXPECT_EQ(Add(splits, pieces[0], 11, joined), Result::kPending);
        EXPECT_EQ(Add(splits, pieces[0], 11, joined), Result::kPending); // duplicate
        EXPECT_EQ(Add(splits, pieces[1], 12, joined), Result::kComplete);
        EXPECT_EQ(joined, answer);
        EXPECT_EQ(splits.PendingCount(), 0u);
    }
}

TEST(SplitReassembler, MalformedPiecesAreRefused) {
    SplitReassembler splits;
    std::vector<uint8_t> joined;
    const std::vector<uint8_t> malformed[] = {
        Packet().SplitHeader(1).U8(16).U8(0).U16(1248).Header().U8('I').data, // 16 pieces announced
        Packet().SplitHeader(1).U8(3).U8(3).U16(1248).U8(1).data,             // piece 3 of 3
        Packet().SplitHeader(0x80000001).U8(2).U8(0).U16(1248).U32(9).data,   // compressed
        Packet().SplitHeader(1).data,                                         // no piece numbers
        Packet().SplitHeader(1).U8(0).U8(0).data,                             // no pieces
    };
    for (const auto& piece : malformed)
        EXPECT_EQ(Add(splits, piece, 1, joined), Result::kRefused);
    EXPECT_EQ(splits.PendingCount(), 0u);
}

TEST(SplitReassembler, APieceThatDisagreesWithItsAnswerIsRefused) {
    SplitReassembler splits;
    std::vector<uint8_t> joined;
    const auto threePieces = Split(Answer(300), 9, 120, Layout::kSourceWithSize);
    const auto twoPieces = Split(Answer(200), 9, 120, Layout::kSourceWithSize);
    EXPECT_EQ(Add(splits, threePieces[0], 1, joined), Result::kPending);
    EXPECT_EQ(Add(splits, twoPieces[1], 1, joined), Result::kRefused);
}

TEST(SplitReassembler, AJoinedAnswerWithoutItsHeaderIsRefused) {
    SplitReassembler splits;
    std::vector<uint8_t> answer = Answer(200);
    answer[0] = 0x00;
    const auto pieces = Split(answer, 3, 120, Layout::kSourceWithSize);
    std::vector<uint8_t> joined;
    EXPECT_EQ(Add(splits, pieces[0], 1, joined), Result::kPending);
    EXPECT_EQ(Add(splits, pieces[1], 1, joined), Result::kRefused);
    EXPECT_EQ(splits.PendingCount(), 0u);
}

TEST(SplitReassembler, AnAnswerGrowingPastItsBoundIsDropped) {
    SplitReassembler splits;
    const auto pieces = Split(Answer(15 * 3000), 4, 3000, Layout::kSourceWithSize);
    ASSERT_EQ(pieces.size(), 15u);
    std::vector<uint8_t> joined;
    Result last = Result::kPending;
    size_t added = 0;
    while (added < pieces.size() &&
           (last = Add(splits, pieces[added], 1, joined)) == Result::kPending)
        ++added;
    EXPECT_EQ(last, Result::kRefused);
    EXPECT_EQ(added, SplitReassembler::kMaxAnswerBytes / 3002);
    EXPECT_EQ(splits.PendingCount(), 0u);
}

TEST(SplitReassembler, StaleAnswersAreDroppedAndPendingAnswersAreBounded) {
    SplitReassembler splits;
    std::vector<uint8_t> joined;
    const auto pieces = Split(Answer(200), 1, 120, Layout::kGoldSrc);
    EXPECT_EQ(Add(splits, pieces[0], 1000, joined), Result::kPending);
    const uint64_t late = 1000 + SplitReassembler::kPendingLifetimeMs + 1;
    EXPECT_EQ(Add(splits, pieces[1], late, joined), Result::kPending); // the first piece is gone
    EXPECT_EQ(splits.PendingCount(), 1u);

    for (uint32_t id = 100; id < 100 + 3 * SplitReassembler::kMaxPending; ++id) {
        const auto other = Split(Answer(200), id, 120, Layout::kSourceWithSize);
        Add(splits, other[0], late + id, joined);
        EXPECT_LE(splits.PendingCount(), SplitReassembler::kMaxPending);
    }
    // The newest answers are the ones kept.
    const auto newest = Split(Answer(200), 100 + 3 * SplitReassembler::kMaxPending - 1, 120,
                              Layout::kSourceWithSize);
    EXPECT_EQ(Add(splits, newest[1], late + 400, joined), Result::kComplete);
}

TEST(SplitReassembler, AnEarlierClockReadingOfAnotherThreadDropsNothing) {
    SplitReassembler splits;
    std::vector<uint8_t> joined;
    const auto pieces = Split(Answer(200), 1, 120, Layout::kSourceWithSize);
    const auto other = Split(Answer(200), 2, 120, Layout::kSourceWithSize);
    EXPECT_EQ(Add(splits, pieces[0], 5000, joined), Result::kPending);
    EXPECT_EQ(Add(splits, other[0], 4999, joined), Result::kPending);
    EXPECT_EQ(Add(splits, pieces[1], 4999, joined), Result::kComplete);
}
