// One object per thread, deleted when its thread ends. C++ thread_local objects with
// destructors are not used: in the MinGW builds those destructors run after the thread's
// storage has been freed and corrupt the heap.
#pragma once

#include <cstdint>

namespace Portico {

class ThreadSlot {
public:
    class Value {
    public:
        virtual ~Value() = default;
    };

    // Takes a per-thread index for the rest of the process; running out of them ends the
    // process, as running out of memory does.
    ThreadSlot();
    Value* Get() const;
    // value is deleted when the calling thread ends.
    void Set(Value* value);

private:
    uint64_t index;
};

template <typename T> class PerThreadT {
public:
    // The calling thread's object, made on its first use.
    T& Get() {
        auto* held = static_cast<Held*>(slot.Get());
        if (!held) {
            held = new Held;
            slot.Set(held);
        }
        return held->object;
    }

private:
    struct Held : ThreadSlot::Value {
        T object;
    };

    ThreadSlot slot;
};

} // namespace Portico
