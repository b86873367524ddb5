// Read/write stream over one byte array: reads at the position, appends at the end.
#pragma once

#include "utils/InStreamT.h"
#include "utils/OutStreamT.h"

namespace Utils {

template <typename T> class InOutStreamT : public InStreamT<T>, public OutStreamT<T> {
public:
    using InStreamT<T>::operator>>;
    using OutStreamT<T>::operator<<;

    // Both sides clear through the input side, so the position resets too.
    void Clear() override { InStreamT<T>::Clear(); }

    // Grows with zero bytes or cuts the end.
    void Resize(uint32_t n) {
        this->bytes.Resize(n);
        if (this->position > n)
            this->position = n;
    }
};

} // namespace Utils
