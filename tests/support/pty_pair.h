// A pseudo-terminal pair standing in for a serial line: the port under test
// opens the terminal end by its name, and the test plays the far end of the
// line on the other side. The pair holds the terminal end open itself as
// well, so that the line stays up while the port closes and opens again.
#pragma once

#include <termios.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class Pty_Pair {
public:
    // How long the far end waits for octets before it gives up.
    static constexpr std::chrono::milliseconds kPatience{10000};

    Pty_Pair();
    ~Pty_Pair();
    Pty_Pair(const Pty_Pair&) = delete;
    Pty_Pair& operator=(const Pty_Pair&) = delete;

    // The terminal end's device name, for the port to open.
    const std::string& terminal_name() const { return terminal_name_; }
    // The terminal end's line settings as the device holds them.
    termios terminal_settings() const;

    // The far end: writes every octet.
    void write(const std::vector<uint8_t>& octets) const;
    // The far end: reads until count octets have come, or until patience
    // runs out; returns what came.
    std::vector<uint8_t> read(size_t count, std::chrono::milliseconds patience = kPatience) const;
    // The far end: what has arrived by now, without waiting.
    std::vector<uint8_t> read_available() const;
    // The far end hangs up: writes on the terminal end fail from now on.
    void hang_up();

private:
    int far_end_ = -1;
    int terminal_ = -1;
    std::string terminal_name_;
};
