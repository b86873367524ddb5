#include "storage/SqliteLibrary.h"

#include <dlfcn.h>

namespace Utils {

const char* const SqliteLibrary::kDefaultName = "libsqlite3.so.0";

void* SqliteLibrary::LoadByName(const std::string& name) {
    return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

SqliteLibrary::Symbol SqliteLibrary::FindSymbol(void* library, const char* name) {
    return reinterpret_cast<Symbol>(dlsym(library, name));
}

} // namespace Utils
