// Timing loops for the benchmarks: the best and the median of several runs,
// as rates.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// Runs `body` `count` times per round for `rounds` rounds; returns the best
// and the median rate in calls per second.
template <typename Body>
std::pair<double, double> calls_per_second(Body body, size_t count, int rounds = 5) {
    std::vector<double> rates;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (size_t i = 0; i < count; ++i) body();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rates.push_back(static_cast<double>(count) / seconds);
    }
    std::sort(rates.begin(), rates.end());
    return {rates.back(), rates[rates.size() / 2]};
}

inline void print_rate(const char* what, std::pair<double, double> rate) {
    std::printf("  %-44s %10.0f / %10.0f per s\n", what, rate.first, rate.second);
}
