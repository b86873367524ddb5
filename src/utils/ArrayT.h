// Growable array of plain elements on the heap of Utils::Memory; grows by half its capacity.
#pragma once

#include "utils/MemoryT.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace Utils {

template <typename T> class ArrayT {
    static_assert(std::is_trivially_copyable<T>::value, "ArrayT holds plain elements only");

public:
    ArrayT() = default;
    ArrayT(const ArrayT& other) { Append(other.items, other.count); }
    ArrayT& operator=(const ArrayT& other) {
        if (this != &other) {
            count = 0;
            Append(other.items, other.count);
        }
        return *this;
    }
    ~ArrayT() { Memory::Instance().Free(reinterpret_cast<unsigned char*>(items)); }

    T* Data() { return items; }
    const T* Data() const { return items; }
    uint32_t Size() const { return count; }
    bool Empty() const { return count == 0; }
    T& operator[](uint32_t i) { return items[i]; }
    const T& operator[](uint32_t i) const { return items[i]; }

    // The source may lie in this array's own block (appending an array to itself).
    void Append(const T* source, uint32_t n) {
        if (n == 0)
            return;
        const bool own = Holds(source);
        const size_t offset = own ? size_t(source - items) : 0;
        Reserve(uint64_t(count) + n);
        if (own)
            source = items + offset; // the block may have moved
        std::memmove(static_cast<void*>(items + count), source, n * sizeof(T));
        count += n;
    }
    void Append(const T& item) { Append(&item, 1); }

    // Grows with zero-filled elements or cuts the end.
    void Resize(uint32_t n) {
        if (n > count) {
            Reserve(n);
            std::memset(static_cast<void*>(items + count), 0, (n - count) * sizeof(T));
        }
        count = n;
    }

    // Removes [from, to) after clamping both to the size.
    void Erase(uint32_t from, uint32_t to) {
        if (to > count)
            to = count;
        if (from >= to)
            return;
        std::memmove(static_cast<void*>(items + from), items + to, (count - to) * sizeof(T));
        count -= to - from;
    }

    void Clear() { count = 0; }

private:
    // Compared as integers: ordering pointers into different objects is unspecified.
    bool Holds(const T* p) const {
        const auto at = reinterpret_cast<uintptr_t>(p);
        const auto begin = reinterpret_cast<uintptr_t>(items);
        return items && at >= begin && at < begin + uintptr_t(capacity) * sizeof(T);
    }

    void Reserve(uint64_t needed) {
        if (needed <= capacity)
            return;
        uint64_t grown = capacity + capacity / 2;
        uint64_t next = grown > needed ? grown : needed;
        if (next > UINT32_MAX / sizeof(T))
            std::abort();
        auto* block = Memory::Instance().Reallocate(reinterpret_cast<unsigned char*>(items),
                                                    static_cast<size_t>(next * sizeof(T)));
        if (!block)
            std::abort(); // out of memory ends the operation, as the heap would
        items = reinterpret_cast<T*>(block);
        capacity = static_cast<uint32_t>(next);
    }

    T* items = nullptr;
    uint32_t count = 0;
    uint32_t capacity = 0;
};

} // namespace Utils
