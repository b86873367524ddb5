// A fuzz target's check: a broken promise stops the run where libFuzzer sees it.
#pragma once

inline void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}
