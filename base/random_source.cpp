#include "base/random_source.h"

void Random_Source::seed(uint32_t value) {
    std::lock_guard hold(mutex_);
    engine_.seed(value);
}

uint32_t Random_Source::below(uint32_t n) {
    if (n == 0) return 0;
    std::lock_guard hold(mutex_);
    return std::uniform_int_distribution<uint32_t>(0, n - 1)(engine_);
}
