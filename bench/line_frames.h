// Frames on the far end of a pseudo-terminal line, for the line bench: a
// frame runs from its opening flag to its closing flag.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "tests/support/pty_pair.h"

using Octets = std::vector<uint8_t>;

// The frame is one frame: a flag, octets that are no flag, a flag.
bool one_frame(const Octets& frame);

// Reads one frame: its first octet (noting when it came in *first_came),
// then up to the flag that closes it. Empty when the line stays quiet.
Octets read_frame(const Pty_Pair& line, std::chrono::steady_clock::time_point* first_came = nullptr);

// Writes the octets one at a time, each when a line of that many bits per
// second would have carried the one before it (10 bits an octet).
void write_paced(const Octets& octets, const Pty_Pair& line, unsigned baud);
