// Where the plug-in finds the libraries it loads (UTF-8, with the trailing separator): the
// executable's folder + dlls on Windows; elsewhere the folder that PORTICO_LIBS_DIR names, or
// else the executable's folder + dlls. Relative to the working folder when the executable's
// folder is unknown.
#pragma once

#include "utils/ExecutableFolder.h"
#include "utils/Platform.h"

#include <cstdlib>
#include <string>

namespace Portico {

inline std::string LibraryFolder() {
    const char* named = Utils::kWindows ? nullptr : std::getenv("PORTICO_LIBS_DIR");
    if (named && *named) {
        const std::string folder = named;
        return folder.back() == '/' ? folder : folder + '/';
    }
    return Utils::ExecutableFolder() + "dlls" + Utils::kPathSeparator;
}

} // namespace Portico
