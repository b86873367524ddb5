// The game-protocol library calls the streams through their tables of virtual operations, so
// slot k of each table must hold operation k + 1 of the agreed order. A probe overrides every
// operation to record its number; the test calls the raw slots of the probe's table.
#include "utils/InStreamT.h"
#include "utils/OutStreamT.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

using Utils::ArrayT;
using Utils::InStreamT;
using Utils::OutStreamT;

namespace {

// Member functions of 32-bit Windows builds take `this` in a register.
#if defined(_WIN32) && defined(__i386__)
#define PORTICO_MEMBER_CALL __attribute__((thiscall))
#else
#define PORTICO_MEMBER_CALL
#endif

// Calls slot `slot` of the table at the start of `object` with one argument of its own type,
// as a caller that knows only the table would.
template <typename Probe, typename... Arg> int CallSlot(Probe& probe, int slot, Arg... argument) {
    using Entry = void*(PORTICO_MEMBER_CALL*)(void*, Arg...);
    void* const* table = *reinterpret_cast<void* const* const*>(&probe);
    reinterpret_cast<Entry>(table[slot])(&probe, argument...);
    return probe.called;
}

class InProbe : public InStreamT<unsigned char> {
public:
    int called = 0;

    InProbe& operator>>(double&) override { return Hit(1); }
    InProbe& operator>>(long double&) override { return Hit(2); }
    InProbe& operator>>(float&) override { return Hit(3); }
    InProbe& operator>>(long long&) override { return Hit(4); }
    InProbe& operator>>(unsigned long long&) override { return Hit(5); }
    InProbe& operator>>(int&) override { return Hit(6); }
    InProbe& operator>>(unsigned int&) override { return Hit(7); }
    InProbe& operator>>(long&) override { return Hit(8); }
    InProbe& operator>>(unsigned long&) override { return Hit(9); }
    InProbe& operator>>(short&) override { return Hit(10); }
    InProbe& operator>>(unsigned short&) override { return Hit(11); }
    InProbe& operator>>(char&) override { return Hit(12); }
    InProbe& operator>>(unsigned char&) override { return Hit(13); }
    InProbe& operator>>(bool&) override { return Hit(14); }
    InProbe& operator>>(std::string&) override { return Hit(15); }
    InProbe& operator>>(char*) override { return Hit(16); }
    void Clear() override { Hit(17); }

private:
    InProbe& Hit(int n) {
        called = n;
        return *this;
    }
};

template <typename T> class OutProbe : public OutStreamT<T> {
public:
    int called = 0;

    OutProbe& operator<<(const ArrayT<T>&) override { return Hit(1); }
    OutProbe& operator<<(double) override { return Hit(2); }
    OutProbe& operator<<(long double) override { return Hit(3); }
    OutProbe& operator<<(float) override { return Hit(4); }
    OutProbe& operator<<(long long) override { return Hit(5); }
    OutProbe& operator<<(unsigned long long) override { return Hit(6); }
    OutProbe& operator<<(int) override { return Hit(7); }
    OutProbe& operator<<(unsigned int) override { return Hit(8); }
    OutProbe& operator<<(long) override { return Hit(9); }
    OutProbe& operator<<(unsigned long) override { return Hit(10); }
    OutProbe& operator<<(short) override { return Hit(11); }
    OutProbe& operator<<(unsigned short) override { return Hit(12); }
    OutProbe& operator<<(unsigned char) override { return Hit(13); }
    OutProbe& operator<<(char) override { return Hit(14); }
    OutProbe& operator<<(const char*) override { return Hit(15); }
    OutProbe& operator<<(bool) override { return Hit(16); }
    void Clear() override { Hit(17); }

private:
    OutProbe& Hit(int n) {
        called = n;
        return *this;
    }
};

std::vector<int> OneToSeventeen() {
    std::vector<int> order;
    for (int n = 1; n <= 17; ++n)
        order.push_back(n);
    return order;
}

// The slots of an output stream, each called with an argument of its own type; the two
// character slots take the instantiation's own type first.
template <typename T> std::vector<int> OutSlots() {
    using Other =
        typename std::conditional<std::is_same<T, char>::value, unsigned char, char>::type;
    OutProbe<T> p;
    ArrayT<T> array;
    return {CallSlot(p, 0, &array),
            CallSlot(p, 1, 1.0),
            CallSlot(p, 2, 1.0L),
            CallSlot(p, 3, 1.0f),
            CallSlot(p, 4, 1LL),
            CallSlot(p, 5, 1ULL),
            CallSlot(p, 6, 1),
            CallSlot(p, 7, 1u),
            CallSlot(p, 8, 1L),
            CallSlot(p, 9, 1UL),
            CallSlot(p, 10, short(1)),
            CallSlot(p, 11, (unsigned short)1),
            CallSlot(p, 12, T(1)),
            CallSlot(p, 13, Other(1)),
            CallSlot(p, 14, "x"),
            CallSlot(p, 15, true),
            CallSlot(p, 16)};
}

} // namespace

TEST(StreamTable, InputStreamSlotsFollowTheLibraryOrder) {
    InProbe p;
    char buffer[257];
    std::vector<int> called;
    for (int slot = 0; slot < 16; ++slot)
        called.push_back(CallSlot(p, slot, static_cast<void*>(buffer)));
    called.push_back(CallSlot(p, 16));
    EXPECT_EQ(called, OneToSeventeen());
}

TEST(StreamTable, OutputStreamSlotsFollowTheLibraryOrder) {
    EXPECT_EQ(OutSlots<unsigned char>(), OneToSeventeen());
    // The char instantiation lists its two character operations the other way round.
    std::vector<int> chars = OneToSeventeen();
    std::swap(chars[12], chars[13]);
    EXPECT_EQ(OutSlots<char>(), chars);
}
