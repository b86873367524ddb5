#include "utils/DynamicLibrary.h"

#include <dlfcn.h>

namespace Utils {

DynamicLibrary::DynamicLibrary(const std::string& nameOrPath)
    : module(dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

void* DynamicLibrary::Find(const char* name) const {
    return module ? dlsym(module, name) : nullptr;
}

void* DynamicLibrary::Find(uint16_t) const {
    return nullptr;
}

} // namespace Utils
