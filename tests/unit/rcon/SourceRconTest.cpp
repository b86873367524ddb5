// Source RCON framing: the packets the console sends, and the reading of the server's stream
// across receives within its bound.
#include "rcon/SourceRconReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Portico {
namespace {

using Result = SourceRconReader::Result;

std::string Bytes(const Utils::OutStreamT<unsigned char>& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

std::string Le32(uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char(value >> (8 * i));
    return bytes;
}

std::string Packet(int32_t id, int32_t type, const std::string& body) {
    return Bytes(BuildSourceRconPacket(id, type, body));
}

void Feed(SourceRconReader& reader, const std::string& bytes) {
    reader.Append(reinterpret_cast<const unsigned char*>(bytes.data()), uint32_t(bytes.size()));
}

std::vector<SourceRconPacket> ReadAll(SourceRconReader& reader) {
    std::vector<SourceRconPacket> packets;
    SourceRconPacket packet;
    while (reader.Next(packet) == Result::Packet)
        packets.push_back(packet);
    return packets;
}

TEST(SourceRconPacket, LayoutOfALoginAndACommand) {
    EXPECT_EQ(Le32(13) + Le32(0) + Le32(3) + std::string("abc\0\0", 5),
              Packet(0, SourceRcon::kAuth, "abc"));
    EXPECT_EQ(Le32(10) + Le32(0xFFFFFFFF) + Le32(2) + std::string(2, '\0'),
              Packet(-1, SourceRcon::kExecCommand, ""));
}

TEST(SourceRconReader, PacketsInOneReceiveOrInPiecesComeOutWholeAndInOrder) {
    const std::string stream = Packet(0, 0, "first") + Packet(0, 2, "") + Packet(5, 0, "third");
    SourceRconReader together;
    Feed(together, stream);
    const auto all = ReadAll(together);
    ASSERT_EQ(3u, all.size());
    EXPECT_EQ("first", all[0].body);
    EXPECT_EQ(2, all[1].type);
    EXPECT_EQ(5, all[2].id);
    EXPECT_EQ(0u, together.Buffered());

    // Three pieces, the first cutting the size field: nothing until the last.
    const std::string one = Packet(0, 0, "pieces");
    SourceRconReader apart;
    Feed(apart, one.substr(0, 2));
    EXPECT_TRUE(ReadAll(apart).empty());
    Feed(apart, one.substr(2, 9));
    EXPECT_TRUE(ReadAll(apart).empty());
    Feed(apart, one.substr(11));
    const auto last = ReadAll(apart);
    ASSERT_EQ(1u, last.size());
    EXPECT_EQ("pieces", last[0].body);
}

TEST(SourceRconReader, ShortPacketsReadZerosAndBodiesStopAtTheirEnd) {
    SourceRconReader reader;
    // Size 0, size 6 (a cut type), then a body without its NULs.
    Feed(reader, Le32(0) + Le32(6) + Le32(7) + std::string("\x02\x00", 2) + Le32(11) + Le32(0) +
                     Le32(0) + "abc");
    const auto packets = ReadAll(reader);
    ASSERT_EQ(3u, packets.size());
    EXPECT_EQ(0, packets[0].id);
    EXPECT_EQ(7, packets[1].id);
    EXPECT_EQ(2, packets[1].type);
    EXPECT_EQ("abc", packets[2].body);
}

TEST(SourceRconReader, ASizeBeyondTheLimitBreaksTheStreamForGood) {
    for (uint32_t size : {0x80000000u, 0xFFFFFFFFu, SourceRcon::kSizeLimit + 1}) {
        SourceRconReader reader;
        Feed(reader, Le32(size) + "xxxx");
        SourceRconPacket packet;
        EXPECT_EQ(Result::TooLarge, reader.Next(packet)) << size;
        Feed(reader, Packet(0, 0, "late"));
        EXPECT_EQ(Result::TooLarge, reader.Next(packet)) << size;
        reader.Clear();
        Feed(reader, Packet(0, 0, "again"));
        EXPECT_EQ(Result::Packet, reader.Next(packet));
    }
    // At the limit the packet is waited for and read.
    SourceRconReader reader;
    const std::string body(SourceRcon::kSizeLimit - 10, 'b');
    const std::string big = Packet(0, 0, body);
    for (size_t at = 0; at < big.size(); at += SourceRconReader::kChunkBytes)
        Feed(reader, big.substr(at, SourceRconReader::kChunkBytes));
    const auto packets = ReadAll(reader);
    ASSERT_EQ(1u, packets.size());
    EXPECT_EQ(body, packets[0].body);
}

TEST(SourceRconReader, BytesNeverReadAreRefusedAtTheBound) {
    SourceRconReader reader;
    const std::string chunk(SourceRconReader::kChunkBytes, '\0');
    uint32_t fed = 0;
    for (int i = 0; i < 10; ++i) {
        Feed(reader, chunk);
        fed += uint32_t(chunk.size());
        EXPECT_LE(reader.Buffered(), SourceRconReader::kBufferLimit);
    }
    EXPECT_GT(fed, SourceRconReader::kBufferLimit);
    SourceRconPacket packet;
    EXPECT_EQ(Result::TooLarge, reader.Next(packet));
}

} // namespace
} // namespace Portico
