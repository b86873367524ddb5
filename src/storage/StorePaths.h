// Where the host's catalogue and the user's store live.
#pragma once

#include "common/HostInfo.h"

#include <string>

namespace Portico {

// Joins with one separator between the two, as the system's path-append rule does.
std::u16string PathAppend(const std::u16string& folder, const std::u16string& name);

// "Game" + language code + ".dat" in the host folder, or "Gameen.dat" there when that file
// does not exist (which is not tested again).
std::u16string CatalogueFilePath(HostInfo& host);

// The host folder, then "user", the account number in decimal, and "fps.dat".
std::u16string UserStoreFilePath(HostInfo& host);

} // namespace Portico
