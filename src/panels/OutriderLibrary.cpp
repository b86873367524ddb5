#include "panels/OutriderLibrary.h"

#include "abi/LibraryFolder.h"
#include "utils/DynamicLibrary.h"

namespace Portico {
namespace {

constexpr const char* kFileName = Utils::kWindows ? "Outrider.dll" : "liboutrider.so";

} // namespace

bool OutriderLibrary::IsLoaded() {
    std::call_once(loaded, [this] {
        std::string path = folder.empty() ? LibraryFolder() : folder;
        if (path.back() != '/' && path.back() != Utils::kPathSeparator)
            path += Utils::kPathSeparator;
        const Utils::DynamicLibrary library(path + kFileName);
        entry = reinterpret_cast<SelectedBuddyFn>(
            library.FindEntry(kSelectedBuddyOrdinal, kSelectedBuddyName));
    });
    return entry != nullptr;
}

bool OutriderLibrary::SelectedBuddy(uint32_t& key) {
    key = 0;
    if (!IsLoaded())
        return false;
    key = entry(view);
    return true;
}

} // namespace Portico
