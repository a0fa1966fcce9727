// Runs a function on a thread with a 1 MiB stack, as a host's UI thread may have.
#pragma once

#include <pthread.h>

#include <functional>

namespace relivo::prueba {

inline void EnPilaDe1MiB(std::function<void()> fn) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 1 << 20);
    pthread_t hilo;
    auto trampolin = [](void* p) -> void* {
        (*static_cast<std::function<void()>*>(p))();
        return nullptr;
    };
    pthread_create(&hilo, &attr, trampolin, &fn);
    pthread_join(hilo, nullptr);
    pthread_attr_destroy(&attr);
}

}  // namespace relivo::prueba
