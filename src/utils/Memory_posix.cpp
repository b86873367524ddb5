#include "utils/MemoryT.h"

#include <cstdlib>

namespace Utils {

void* HeapAllocate(size_t bytes) {
    return std::malloc(bytes);
}
void HeapRelease(void* block) {
    std::free(block);
}
void* HeapReallocate(void* block, size_t bytes) {
    return std::realloc(block, bytes);
}

} // namespace Utils
