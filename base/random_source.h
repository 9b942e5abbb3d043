// The program's pseudo-random generator: one seeded source of uniform draws
// shared by every part that makes random choices (error injection in the
// framers, challenges, scripts). Draws may come from several threads.
#pragma once

#include <cstdint>
#include <mutex>
#include <random>

class Random_Source {
public:
    explicit Random_Source(uint32_t seed = kDefaultSeed) : engine_(seed) {}
    Random_Source(const Random_Source&) = delete;
    Random_Source& operator=(const Random_Source&) = delete;

    void seed(uint32_t value);
    // A uniform integer in 0 to n - 1; 0, without a draw, when n is 0.
    uint32_t below(uint32_t n);

    static constexpr uint32_t kDefaultSeed = 1;

private:
    std::mutex mutex_;
    std::mt19937 engine_;  // guarded by mutex_
};
