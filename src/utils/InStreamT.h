// Reading side of the byte streams: values in machine byte order from a read position.
// Reads past the end yield zeros and stop at the end; there is no error state.
#pragma once

#include "utils/StreamT.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace Utils {

template <typename T> class InStreamT : public virtual StreamT<T> {
public:
    // Longest text that a read into a character buffer copies (the buffer holds one more).
    static constexpr uint32_t kTextBufferChars = 256;

    InStreamT() = default;
    // Copies the bytes: the caller's buffer may be reused at once.
    InStreamT(const T* data, uint32_t length) { this->bytes.Append(data, length); }

    // Table order is part of the library interface. `long` is 4 bytes on the stream on every
    // platform (it is on Windows, the target).
    virtual InStreamT& operator>>(double& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(long double& v) { return ReadWidened<double>(v); }
    virtual InStreamT& operator>>(float& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(long long& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(unsigned long long& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(int& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(unsigned int& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(long& v) { return ReadWidened<int32_t>(v); }
    virtual InStreamT& operator>>(unsigned long& v) { return ReadWidened<uint32_t>(v); }
    virtual InStreamT& operator>>(short& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(unsigned short& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(char& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(unsigned char& v) { return ReadRaw(v); }
    virtual InStreamT& operator>>(bool& v) {
        uint8_t b;
        ReadRaw(b);
        v = b != 0;
        return *this;
    }
    virtual InStreamT& operator>>(std::string& text) {
        uint32_t n;
        if (TextLength(n))
            text.assign(reinterpret_cast<const char*>(this->bytes.Data() + position), n);
        return SkipText(n);
    }
    // buffer must hold at least kTextBufferChars + 1 bytes.
    virtual InStreamT& operator>>(char* buffer) {
        uint32_t n;
        if (TextLength(n)) {
            if (n > kTextBufferChars)
                n = kTextBufferChars;
            std::memcpy(buffer, this->bytes.Data() + position, n);
            buffer[n] = '\0';
        }
        return SkipText(n);
    }
    virtual void Clear() {
        this->bytes.Clear();
        position = 0;
    }
    // Declared after the table's operations: an override of the base's operation takes a slot
    // of this class's table in some ABIs, and must not shift the ones the library calls.
    void Erase(uint32_t from, uint32_t to) override {
        const uint32_t size = this->Size();
        if (to > size)
            to = size;
        if (from >= to)
            return;
        StreamT<T>::Erase(from, to);
        if (position > to)
            position -= to - from;
        else if (position > from)
            position = from;
    }

    uint32_t Position() const { return position; }
    uint32_t Remaining() const { return position < this->Size() ? this->Size() - position : 0; }

protected:
    uint32_t position = 0;

private:
    template <typename V> InStreamT& ReadRaw(V& value) {
        const uint32_t size = this->Size();
        value = V();
        if (uint64_t(position) + sizeof(V) <= size) {
            std::memcpy(&value, this->bytes.Data() + position, sizeof(V));
            position += sizeof(V);
        } else {
            if (position < size)
                std::memcpy(&value, this->bytes.Data() + position, size - position);
            position = size;
        }
        return *this;
    }

    // Types whose width differs between platforms read the fixed width W.
    template <typename W, typename V> InStreamT& ReadWidened(V& value) {
        W w;
        ReadRaw(w);
        value = static_cast<V>(w);
        return *this;
    }

    // Length of the text at the position, up to its NUL; false when nothing remains.
    bool TextLength(uint32_t& n) const {
        n = 0;
        const uint32_t remaining = Remaining();
        if (remaining == 0)
            return false;
        const void* nul = std::memchr(this->bytes.Data() + position, 0, remaining);
        n = nul ? uint32_t(static_cast<const T*>(nul) - (this->bytes.Data() + position))
                : remaining;
        return true;
    }

    // Advances over n bytes and the byte after them when one remains (the terminator).
    InStreamT& SkipText(uint32_t n) {
        const uint32_t remaining = Remaining();
        position += n < remaining ? n + 1 : remaining;
        return *this;
    }
};

} // namespace Utils
