#include "engine/process_locks.h"

std::mutex& display_lock() {
    static std::mutex lock;
    return lock;
}
