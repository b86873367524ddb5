#include "utils/MemoryT.h"

namespace Utils {

Memory& Memory::Instance() {
    static Memory memory;
    return memory;
}

} // namespace Utils
