// The files the library reads once, at its first lookup: the country table Quillon.dat beside
// the library, and the override file, Quillon.override.txt beside the library or the file that
// the environment variable QUILLON_OVERRIDE names.
#pragma once

#include <cstddef>
#include <vector>

namespace Portico {

class LibraryFiles {
public:
    static constexpr char kTableFile[] = "Quillon.dat";
    static constexpr char kOverrideFile[] = "Quillon.override.txt";
    static constexpr char kOverrideVariable[] = "QUILLON_OVERRIDE";
    static constexpr size_t kMaxTableBytes = 64u << 20;

    // Each gives false when the file is missing, unreadable or larger than its bound.
    static bool ReadTable(std::vector<char>& bytes);
    static bool ReadOverride(std::vector<char>& bytes, size_t maxBytes);
};

} // namespace Portico
