// PMPP framing speed: encoding messages into frames, decoding complete
// frames, and the receive path that assembles a frame octet by octet and
// then decodes it; for plain content and for content that is all flag and
// escape octets (every octet stuffed). Figures are frames per second and
// megabytes of information per second, best of several runs; and the FCS
// computation alone in megabytes per second.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "base/random_source.h"
#include "datalink/crc.h"
#include "datalink/pmpp.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;
constexpr double kRunSeconds = 0.2;

// Runs the step in batches until a run's time is used; the best run's rate.
template <typename Step>
double frames_per_second(Step step) {
    double best = 0;
    for (int run = 0; run < kRuns; ++run) {
        size_t frames = 0;
        const auto start = Clock::now();
        double elapsed = 0;
        do {
            for (int i = 0; i < 256; ++i) step();
            frames += 256;
            elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        } while (elapsed < kRunSeconds);
        best = std::max(best, static_cast<double>(frames) / elapsed);
    }
    return best;
}

Bytes content(size_t length, bool stuffing_heavy) {
    std::mt19937 random(11);
    Bytes octets(length);
    for (size_t i = 0; i < length; ++i) {
        if (stuffing_heavy) {
            octets[i] = i % 2 ? 0x7E : 0x7D;
        } else {
            do octets[i] = static_cast<uint8_t>(random());
            while (octets[i] == 0x7E || octets[i] == 0x7D);
        }
    }
    return octets;
}

volatile size_t sink;

void report(const char* what, size_t length, const char* kind, double rate) {
    std::printf("%-18s %4zu octets %-15s %10.0f frames/s %8.1f MB/s\n", what, length, kind, rate,
                rate * static_cast<double>(length) / 1e6);
}

}  // namespace

int main() {
    Random_Source random;
    const PMPP pmpp(random);
    std::printf("PMPP framing, information field of each size; MB/s counts information octets\n");
    for (size_t length : {64u, 512u}) {
        for (bool heavy : {false, true}) {
            const char* kind = heavy ? "all stuffed" : "plain";
            const Bytes information = content(length, heavy);
            const Sent_Frame sent = pmpp.encode(information, 100, 0, "Class B");

            report("encode", length, kind,
                   frames_per_second([&] { sink = pmpp.encode(information, 100, 0, "Class B").octets.size(); }));
            Raw_Message frame;
            report("decode", length, kind, frames_per_second([&] {
                       frame.octets = sent.octets;
                       sink = pmpp.decode(frame).ipi;
                   }));
            report("assemble + decode", length, kind, frames_per_second([&] {
                       frame.clear();
                       for (uint8_t octet : sent.octets) pmpp.add_received_octet(frame, octet, "00:00:00.000");
                       sink = pmpp.decode(frame).ipi;
                   }));
        }
    }
    // The FCS alone, over a 64 KiB buffer of random octets.
    const Bytes block = content(65536, false);
    const double blocks = frames_per_second([&] { sink = CRC::calculate(block); });
    std::printf("FCS-16 over 64 KiB blocks                         %8.1f MB/s\n",
                blocks * static_cast<double>(block.size()) / 1e6);
    return 0;
}
