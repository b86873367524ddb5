#include "utils/MemoryT.h"

#include <windows.h>

namespace Utils {

void* HeapAllocate(size_t bytes) {
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}
void HeapRelease(void* block) {
    HeapFree(GetProcessHeap(), 0, block);
}
void* HeapReallocate(void* block, size_t bytes) {
    return HeapReAlloc(GetProcessHeap(), 0, block, bytes);
}

} // namespace Utils
