#include "Packet.h"
#include "PorticoManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace Portico;
using ProtocolTest::Ip;
using ProtocolTest::Packet;

namespace {

constexpr int kThreads = 6;
constexpr int kRounds = 2000;

std::vector<uint8_t> Info(uint8_t maxPlayers) {
    Packet p;
    p.Header().U8('I').U8(17).Str("Busy").Str("map").Str("harbor").Str("");
    p.U16(1003).U8(1).U8(maxPlayers).U8(0).U8('d').U8('l').U8(0).U8(0).Str("1");
    return p.data;
}

// Pieces of one split info answer from the given sender, in the GoldSrc layout.
std::vector<std::vector<uint8_t>> SplitInfo(uint32_t id, uint8_t maxPlayers) {
    const std::vector<uint8_t> info = Info(maxPlayers);
    const size_t half = info.size() / 2;
    Packet a, b;
    a.SplitHeader(id).U8(0x02);
    a.Append(std::vector<uint8_t>(info.begin(), info.begin() + half));
    b.SplitHeader(id).U8(0x12);
    b.Append(std::vector<uint8_t>(info.begin() + half, info.end()));
    return {b.data, a.data};
}

struct Outcome {
    ServerInfo info{};
    PlayerList players;
    Utils::ArrayT<ServerAddress> further;
    bool followUp = false;
    uint32_t gameIdCount = 0;
};

Outcome Parse(ProtocolManager& manager, const std::vector<uint8_t>& datagram,
              const ServerAddress& address) {
    Outcome outcome;
    ByteInStream stream(datagram.data(), uint32_t(datagram.size()));
    outcome.gameIdCount = manager
                              .ParseReply(stream, address, &outcome.further, &outcome.info,
                                          &outcome.players, &outcome.followUp)
                              ->Size();
    return outcome;
}

// One thread's work: its own servers, every kind of call, every result checked.
void Hammer(ProtocolManager& manager, int thread, std::atomic<int>& failures) {
    const uint32_t ids[] = {1003, 1028, 1005, 1010};
    for (int round = 0; round < kRounds; ++round) {
        // A new server every round: a server's players, once asked, claim its next challenge.
        const ServerAddress address{Ip(127, 0, uint8_t(thread), uint8_t(round % 250)),
                                    uint16_t(27015 + round / 250), 1003};
        GameProtocol* game = manager.GetProtocol(ids[round % 4]);
        const ByteOutStream* query = game->BuildQuery();
        if (query->Size() != (ids[round % 4] == 1010 ? 13u : 25u))
            ++failures;
        const uint8_t maxPlayers = uint8_t(1 + (thread * 31 + round) % 200);
        if (Parse(manager, Info(maxPlayers), address).info.maxPlayers != maxPlayers)
            ++failures;
        const Outcome challenged =
            Parse(manager, Packet().Header().U8('A').U32(uint32_t(round)).data, address);
        const ByteOutStream* detail = game->BuildDetailRequest(address);
        if (challenged.followUp && detail->Size() != 29)
            ++failures;
        const auto pieces = SplitInfo(uint32_t(round), maxPlayers);
        Parse(manager, pieces[0], address);
        if (Parse(manager, pieces[1], address).gameIdCount != 3)
            ++failures;
    }
}

} // namespace

TEST(Concurrency, ManyThreadsParseAndBuildAtOnce) {
    PorticoManager manager;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(Hammer, std::ref(manager), t, std::ref(failures));
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}
