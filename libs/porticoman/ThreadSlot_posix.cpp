#include "ThreadSlot.h"

#include <pthread.h>

#include <cstdlib>

namespace Portico {

namespace {

void ReleaseValue(void* value) {
    delete static_cast<ThreadSlot::Value*>(value);
}

pthread_key_t Key(uint64_t index) {
    return static_cast<pthread_key_t>(index);
}

} // namespace

ThreadSlot::ThreadSlot() {
    pthread_key_t key;
    if (pthread_key_create(&key, ReleaseValue) != 0)
        std::abort();
    index = key;
}

ThreadSlot::Value* ThreadSlot::Get() const {
    return static_cast<Value*>(pthread_getspecific(Key(index)));
}

void ThreadSlot::Set(Value* value) {
    if (pthread_setspecific(Key(index), value) != 0)
        std::abort();
}

} // namespace Portico
