#include "ThreadSlot.h"

#include <windows.h>

#include <cstdlib>

namespace Portico {

namespace {

// Fiber-local storage, unlike thread-local storage, calls back when a thread ends.
VOID WINAPI ReleaseValue(PVOID value) {
    delete static_cast<ThreadSlot::Value*>(value);
}

} // namespace

ThreadSlot::ThreadSlot() {
    const DWORD fls = FlsAlloc(ReleaseValue);
    if (fls == FLS_OUT_OF_INDEXES)
        std::abort();
    index = fls;
}

ThreadSlot::Value* ThreadSlot::Get() const {
    return static_cast<Value*>(FlsGetValue(DWORD(index)));
}

void ThreadSlot::Set(Value* value) {
    if (!FlsSetValue(DWORD(index), value))
        std::abort();
}

} // namespace Portico
