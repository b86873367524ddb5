#include "utils/DynamicLibrary.h"

#include "utils/Utf.h"
#include "utils/win/WideText.h"

#include <windows.h>

namespace Utils {

namespace {

HMODULE Handle(void* module) {
    return static_cast<HMODULE>(module);
}

void* Address(FARPROC address) {
    return reinterpret_cast<void*>(address);
}

} // namespace

DynamicLibrary::DynamicLibrary(const std::string& nameOrPath)
    : module(LoadLibraryW(AsWide(Utf::ToUtf16(nameOrPath)))) {}

void* DynamicLibrary::Find(const char* name) const {
    return module ? Address(GetProcAddress(Handle(module), name)) : nullptr;
}

void* DynamicLibrary::Find(uint16_t ordinal) const {
    return module ? Address(GetProcAddress(Handle(module), MAKEINTRESOURCEA(ordinal))) : nullptr;
}

} // namespace Utils
