#include "base/process_locks.h"

std::mutex& display_lock() {
    static std::mutex lock;
    return lock;
}

std::mutex& link_lock() {
    static std::mutex lock;
    return lock;
}

std::mutex& port_lock() {
    static std::mutex lock;
    return lock;
}

std::mutex& status_lock() {
    static std::mutex lock;
    return lock;
}
