#include "utils/InOutStreamT.h"
#include "utils/InStreamT.h"
#include "utils/OutStreamT.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Utils::InOutStreamT;
using Utils::InStreamT;
using Utils::OutStreamT;

namespace {

InStreamT<unsigned char> Over(const std::vector<unsigned char>& v) {
    return InStreamT<unsigned char>(v.data(), static_cast<uint32_t>(v.size()));
}

} // namespace

TEST(InStream, ShortNumberReadFillsLowBytesThenZeros) {
    auto in = Over({0x34, 0x12, 0x78, 0x56, 0xCD, 0xAB});
    unsigned int first = 0, second = 1, third = 1;
    in >> first >> second >> third;
    EXPECT_EQ(first, 0x56781234u);
    EXPECT_EQ(second, 0xABCDu);
    EXPECT_EQ(in.Position(), 6u);
    EXPECT_EQ(third, 0u);
}

// Reads one value of each argument's type and expects the argument.
template <typename... T> void ExpectRead(InStreamT<unsigned char>& in, T... expected) {
    auto next = [&in](auto want) {
        decltype(want) got{};
        in >> got;
        EXPECT_EQ(got, want);
    };
    (next(expected), ...);
}

TEST(InStream, EveryWidthInMachineOrder) {
    OutStreamT<unsigned char> out;
    out << 1.5 << 2.25f << -5LL << 7ULL << -9 << 10u << -11L << 12UL << short(-13)
        << (unsigned short)14 << 'x' << (unsigned char)0xFE << true;
    EXPECT_EQ(out.Size(), 8u + 4 + 8 + 8 + 4 * 4 + 2 * 2 + 2 + 1);
    InStreamT<unsigned char> in(out.Data(), out.Size());
    ExpectRead(in, 1.5, 2.25f, -5LL, 7ULL, -9, 10u, -11L, 12UL, short(-13), (unsigned short)14, 'x',
               (unsigned char)0xFE, true);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(InStream, TextReads) {
    // Without a NUL the text takes every remaining byte.
    auto in = Over({'a', 'b', 0, 'c', 'd'});
    std::string first, second, third = "kept";
    in >> first >> second >> third;
    EXPECT_EQ(first, "ab");
    EXPECT_EQ(second, "cd");
    EXPECT_EQ(in.Position(), 5u);
    EXPECT_EQ(third, "kept"); // nothing left: target unchanged

    // An empty text is just its terminator.
    auto empty = Over({0, 'z', 0});
    std::string e = "x", z;
    empty >> e >> z;
    EXPECT_EQ(e, "");
    EXPECT_EQ(z, "z");
}

TEST(InStream, LongTextIntoBufferIsCutAt256) {
    std::vector<unsigned char> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>('A' + i % 26);
    bytes.push_back(0);
    bytes.push_back('Q');
    auto in = Over(bytes);
    char buffer[257];
    std::memset(buffer, 'x', sizeof buffer);
    in >> buffer;
    EXPECT_EQ(std::strlen(buffer), 256u);
    EXPECT_EQ(std::string(buffer, 256), std::string(bytes.begin(), bytes.begin() + 256));
    // The 257th character is stepped over; reading resumes at the 258th.
    EXPECT_EQ(in.Position(), 257u);
    unsigned char next;
    in >> next;
    EXPECT_EQ(next, bytes[257]);
}

TEST(OutStream, TextsAndArrays) {
    OutStreamT<unsigned char> out;
    out << ""
        << "hi";
    ASSERT_EQ(out.Size(), 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Data()), 4), std::string("\0hi\0", 4));

    OutStreamT<unsigned char> copy;
    Utils::ArrayT<unsigned char> none;
    copy << none << out.Buffer();
    EXPECT_EQ(copy.Size(), 4u);

    OutStreamT<char> chars;
    chars << 'a' << (unsigned char)'b' << false;
    EXPECT_EQ(std::string(chars.Data(), chars.Size()), std::string("ab\0", 3));
    chars.Clear();
    EXPECT_EQ(chars.Size(), 0u);
}

TEST(InStream, EraseKeepsThePositionOnTheSameByte) {
    auto in = Over({0, 1, 2, 3, 4, 5, 6, 7});
    unsigned char b;
    in >> b >> b >> b >> b >> b; // position 5
    in.Erase(1, 3);              // before the position
    EXPECT_EQ(in.Position(), 3u);
    in >> b;
    EXPECT_EQ(b, 5);

    in.Erase(2, 100); // clamped; the position (4) lay inside
    EXPECT_EQ(in.Size(), 2u);
    EXPECT_EQ(in.Position(), 2u);
    in.Erase(1, 0); // from beyond to: nothing
    EXPECT_EQ(in.Size(), 2u);
}

TEST(InOutStream, ResizeClearAndShared) {
    InOutStreamT<unsigned char> io;
    io << 0x11223344u << (unsigned char)9;
    unsigned int v;
    io >> v;
    EXPECT_EQ(v, 0x11223344u);
    io.Resize(8);
    EXPECT_EQ(io.Size(), 8u);
    EXPECT_EQ(io.Data()[4], 9);
    EXPECT_EQ(io.Data()[7], 0);
    io.Resize(2); // cut below the read position
    EXPECT_EQ(io.Size(), 2u);
    EXPECT_EQ(io.Remaining(), 0u);
    io.Clear();
    EXPECT_EQ(io.Size(), 0u);
    EXPECT_EQ(io.Position(), 0u);
    io << (unsigned char)1;
    unsigned char b;
    io >> b;
    EXPECT_EQ(b, 1);
}

TEST(Array, AppendsFromItsOwnBlockWhileGrowing) {
    OutStreamT<unsigned char> out;
    out << "ab";
    out << out.Buffer() << out.Buffer(); // each append grows the block it reads
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Data()), out.Size()),
              std::string("ab\0ab\0ab\0ab\0", 12));
    out << reinterpret_cast<const char*>(out.Data() + 3);
    EXPECT_EQ(out.Size(), 15u);
    EXPECT_EQ(out.Data()[12], 'a');

    Utils::ArrayT<uint32_t> a;
    a.Append(5);
    for (uint32_t i = 0; i < 40; ++i)
        a.Append(a[i]); // one element past the capacity now and then
    a.Append(a.Data() + 1, a.Size() - 1);
    ASSERT_EQ(a.Size(), 81u);
    for (uint32_t i = 0; i < a.Size(); ++i)
        ASSERT_EQ(a[i], 5u);
}
