// Common base of the byte streams: owns the byte array. The game-protocol library calls the
// streams through their tables of virtual operations, so the declaration order below is part
// of that interface and must not change.
#pragma once

#include "utils/ArrayT.h"

#include <cstdint>

namespace Utils {

template <typename T> class StreamT {
public:
    virtual ~StreamT() = default;
    virtual T* Data() { return bytes.Data(); }
    virtual const T* Data() const { return bytes.Data(); }
    virtual ArrayT<T>& Buffer() { return bytes; }
    // Clamps both ends to the size and removes [from, to).
    virtual void Erase(uint32_t from, uint32_t to) { bytes.Erase(from, to); }

    uint32_t Size() const { return bytes.Size(); }

protected:
    ArrayT<T> bytes;
};

} // namespace Utils
