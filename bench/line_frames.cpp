#include "bench/line_frames.h"

#include <algorithm>
#include <thread>

namespace {

constexpr uint8_t kFlag = 0x7E;
constexpr double kBitsPerOctet = 10;
constexpr std::chrono::milliseconds kPatience{3000};

size_t flags_in(const Octets& octets) {
    return static_cast<size_t>(std::count(octets.begin(), octets.end(), kFlag));
}

}  // namespace

bool one_frame(const Octets& frame) {
    return frame.size() > 2 && frame.front() == kFlag && frame.back() == kFlag && flags_in(frame) == 2;
}

Octets read_frame(const Pty_Pair& line, std::chrono::steady_clock::time_point* first_came) {
    Octets frame = line.read(1, kPatience);
    if (frame.empty()) return frame;
    if (first_came != nullptr) *first_came = std::chrono::steady_clock::now();
    while (frame.back() != kFlag || flags_in(frame) < 2) {
        Octets more = line.read_available();
        if (more.empty()) more = line.read(1, kPatience);
        if (more.empty()) return {};
        frame.insert(frame.end(), more.begin(), more.end());
    }
    return frame;
}

void write_paced(const Octets& octets, const Pty_Pair& line, unsigned baud) {
    using Clock = std::chrono::steady_clock;
    const std::chrono::duration<double> octet_time(kBitsPerOctet / baud);
    const auto start = Clock::now();
    for (size_t i = 0; i < octets.size(); ++i) {
        std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(octet_time * i));
        line.write({octets[i]});
    }
}
