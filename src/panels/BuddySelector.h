// Which buddy the user selected in the host's buddy list.
#pragma once

#include <cstdint>

namespace Portico {

class BuddySelector {
public:
    // False when the selection cannot be known at all (the library that tells is missing);
    // true otherwise, with key 0 when no buddy is selected.
    virtual bool SelectedBuddy(uint32_t& key) = 0;

protected:
    ~BuddySelector() = default;
};

} // namespace Portico
