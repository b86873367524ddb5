#include "query/ProtocolLibrary.h"

#include <mutex>

namespace Portico {

ProtocolManager* ProtocolLibrary::Manager() {
    static std::once_flag once;
    static ProtocolManager* manager = nullptr;
    std::call_once(once, [] { manager = Load(DefaultPath()); });
    return manager;
}

} // namespace Portico
