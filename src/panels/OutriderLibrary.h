// The buddy-selection library Outrider.dll in the host's dlls folder: loaded once, on first
// use, and never unloaded. A missing library or entry leaves the selection unknown.
#pragma once

#include "abi/SelectedBuddy.h"
#include "panels/BuddySelector.h"

#include <mutex>
#include <string>

namespace Portico {

class OutriderLibrary : public BuddySelector {
public:
    // folder: where the library lies (with or without its trailing separator); empty: the
    // plug-in's library folder.
    explicit OutriderLibrary(std::string folder = {}) : folder(std::move(folder)) {}

    // The host's buddy-list view that the library is asked about.
    void SetView(void* buddyView) { view = buddyView; }
    bool SelectedBuddy(uint32_t& key) override;
    // Loads the library if it was not tried yet; false when it or its entry is missing.
    bool IsLoaded();

private:
    const std::string folder;
    std::once_flag loaded;
    SelectedBuddyFn entry = nullptr;
    void* view = nullptr;
};

} // namespace Portico
