// Octets that arrive outside any frame (line noise, a device talking out of
// turn). A run of them is reported as one line with its count and its first
// few octets, so that noise cannot flood the display and the log: at most
// one line per run, and one a second while the noise goes on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class Stray_Octets {
public:
    static constexpr size_t kShown = 8;            // octets quoted in the line
    static constexpr int64_t kLongestRunMs = 1000;  // a longer run is reported in parts

    // Counts one stray octet read at now_ms (0: no clock); true when the run
    // has gone on long enough to be reported now.
    bool add(uint8_t octet, int64_t now_ms);
    bool empty() const { return count_ == 0; }
    // The line that reports the run after the prefix, e.g.
    // "55 55 55 55 55 55 55 55 ... (160 octets)" or "41" for a single
    // octet; the run is forgotten.
    std::string take(const char* prefix);

private:
    std::array<uint8_t, kShown> first_{};
    uint64_t count_ = 0;
    int64_t started_ms_ = 0;
};
