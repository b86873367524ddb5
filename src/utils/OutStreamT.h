// Writing side of the byte streams: appends values in machine byte order.
#pragma once

#include "utils/StreamT.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace Utils {

template <typename T> class OutStreamT : public virtual StreamT<T> {
    // The other character type: the char instantiation lists the two in the other order.
    using OtherChar =
        typename std::conditional<std::is_same<T, char>::value, unsigned char, char>::type;

public:
    // Table order is part of the library interface.
    virtual OutStreamT& operator<<(const ArrayT<T>& other) {
        this->bytes.Append(other.Data(), other.Size());
        return *this;
    }
    virtual OutStreamT& operator<<(double v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(long double v) { return WriteRaw(static_cast<double>(v)); }
    virtual OutStreamT& operator<<(float v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(long long v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(unsigned long long v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(int v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(unsigned int v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(long v) { return WriteRaw(static_cast<int32_t>(v)); }
    virtual OutStreamT& operator<<(unsigned long v) { return WriteRaw(static_cast<uint32_t>(v)); }
    virtual OutStreamT& operator<<(short v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(unsigned short v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(T v) { return WriteRaw(v); }
    virtual OutStreamT& operator<<(OtherChar v) { return WriteRaw(v); }
    // Appends the text and its terminator.
    virtual OutStreamT& operator<<(const char* text) {
        const auto n = static_cast<uint32_t>(std::strlen(text)) + 1;
        this->bytes.Append(reinterpret_cast<const T*>(text), n);
        return *this;
    }
    virtual OutStreamT& operator<<(bool v) { return WriteRaw(static_cast<uint8_t>(v ? 1 : 0)); }
    virtual void Clear() { this->bytes.Clear(); }

    // Appends raw bytes (not part of the library's table).
    void Write(const void* data, uint32_t length) {
        this->bytes.Append(static_cast<const T*>(data), length);
    }

private:
    template <typename V> OutStreamT& WriteRaw(V value) {
        this->bytes.Append(reinterpret_cast<const T*>(&value), sizeof(V));
        return *this;
    }
};

} // namespace Utils
