// Where the running program lies: the folder of its executable, or of the library that holds
// a given address. UTF-8, with the trailing separator; empty when the system cannot tell.
#pragma once

#include <string>

namespace Utils {

std::string ExecutableFolder();
// The folder of the executable or library whose image holds address.
std::string ModuleFolder(const void* address);

} // namespace Utils
