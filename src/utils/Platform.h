// The few facts about the platform that portable code picks by value rather than by #if: file
// names, path separators and export lookups that differ between Windows and the rest.
#pragma once

namespace Utils {

#if defined(_WIN32)
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

constexpr char kPathSeparator = kWindows ? '\\' : '/';

} // namespace Utils
