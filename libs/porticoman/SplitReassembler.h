// Joins answers that servers split over several datagrams (header FE FF FF FF), in the Source
// layout (with or without the piece-size field) and the GoldSrc layout. State is bounded: at
// most kMaxPending answers, kMaxPieces pieces and kMaxAnswerBytes each; answers not completed
// within kPendingLifetimeMs are dropped. Safe for calls from several threads.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace Portico {

class SplitReassembler {
public:
    static constexpr uint32_t kMaxPending = 64;
    static constexpr uint32_t kMaxPieces = 15;
    static constexpr uint32_t kMaxAnswerBytes = 32768;
    static constexpr uint64_t kPendingLifetimeMs = 3000;

    enum class Result { kPending, kComplete, kRefused };

    // piece: one whole datagram. On kComplete, joined holds the answer, which starts with its
    // own FF FF FF FF header. source identifies the sender (address and port).
    Result Add(uint64_t source, const uint8_t* piece, uint32_t size, uint64_t nowMs,
               std::vector<uint8_t>& joined);

    uint32_t PendingCount() const;

private:
    enum class Layout : uint8_t { kSource, kGoldSrc };

    struct Piece {
        Layout layout;
        uint32_t id;
        uint8_t total;
        uint8_t number;
        const uint8_t* payload;
        uint32_t payloadSize;
    };

    struct Answer {
        uint64_t source;
        uint32_t id;
        Layout layout;
        uint8_t total;
        uint8_t received;
        uint32_t bytes;
        uint64_t startedMs;
        std::vector<uint8_t> pieces[kMaxPieces];
        bool present[kMaxPieces];
    };

    static bool ReadPiece(const uint8_t* data, uint32_t size, Piece& piece);
    static bool Join(Answer& answer, std::vector<uint8_t>& joined);
    void DropStale(uint64_t nowMs);
    void Start(uint64_t source, const Piece& piece, uint64_t nowMs);

    mutable std::recursive_mutex lock; // guards answers
    std::vector<Answer> answers;
};

} // namespace Portico
