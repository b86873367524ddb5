// Allocator of the byte arrays behind every stream. Blocks come from the process heap on
// Windows and from malloc elsewhere, so a container filled on one side of a library boundary
// can be released on the other.
#pragma once

#include <cstddef>

namespace Utils {

template <typename T> class MemoryT {
public:
    // Zero bytes gives null without touching the heap.
    virtual T* Allocate(size_t bytes);
    virtual void Free(T* block);
    virtual T* Reallocate(T* block, size_t bytes);

protected:
    ~MemoryT() = default;
};

class Memory : public MemoryT<unsigned char> {
public:
    static Memory& Instance();
};

// Raw heap blocks for the engine's containers (defined per platform).
void* HeapAllocate(size_t bytes);
void HeapRelease(void* block);
void* HeapReallocate(void* block, size_t bytes);

template <typename T> T* MemoryT<T>::Allocate(size_t bytes) {
    return bytes == 0 ? nullptr : static_cast<T*>(HeapAllocate(bytes));
}

template <typename T> void MemoryT<T>::Free(T* block) {
    if (block)
        HeapRelease(block);
}

template <typename T> T* MemoryT<T>::Reallocate(T* block, size_t bytes) {
    if (!block)
        return Allocate(bytes);
    return static_cast<T*>(HeapReallocate(block, bytes));
}

} // namespace Utils
