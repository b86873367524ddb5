// A library loaded at run time (LoadLibraryW on Windows, dlopen elsewhere) and the exports
// found in it. A library that loads stays loaded for the life of the process.
#pragma once

#include "utils/Platform.h"

#include <cstdint>
#include <string>

namespace Utils {

class DynamicLibrary {
public:
    // A file name, found by the platform's search, or a path; UTF-8. The library is not loaded
    // when the file is missing or holds no library.
    explicit DynamicLibrary(const std::string& nameOrPath);

    bool IsLoaded() const { return module != nullptr; }

    // The export's address; null when the library is not loaded or has no such export.
    void* Find(const char* name) const;
    // By ordinal, on Windows; null elsewhere, where libraries have no ordinals.
    void* Find(uint16_t ordinal) const;
    // An entry that Windows libraries export by ordinal alone and the others by name.
    void* FindEntry(uint16_t ordinal, const char* name) const {
        return kWindows ? Find(ordinal) : Find(name);
    }

private:
    void* module;
};

} // namespace Utils
