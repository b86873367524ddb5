// The library's one entry: ordinal 1 of PorticoMan.dll (PorticoMan.def), the exported name
// PorticoManEntry of libporticoman.so.
#include "PorticoManager.h"

#if defined(_WIN32)
#define PORTICO_EXPORT extern "C"
#else
#define PORTICO_EXPORT extern "C" __attribute__((visibility("default")))
#endif

PORTICO_EXPORT Portico::ProtocolManager* PorticoManEntry() {
    return &Portico::PorticoManager::Instance();
}
