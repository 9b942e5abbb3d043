// The serial port of one simulated modem: a pseudo-terminal whose terminal
// end a station opens by its path, as it opens a real modem's port.
//
// A pseudo-terminal has no modem-control lines: the station cannot drop DTR
// and cannot read DCD on it. The simulator takes the station closing the
// port as DTR dropped (as HUPCL does on a real line), and tells the station
// of a lost carrier with the "NO CARRIER" result text alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Sim_Terminal {
public:
    // Opens a pseudo-terminal in raw mode; throws std::runtime_error when
    // the system has none to give.
    Sim_Terminal();
    ~Sim_Terminal();
    Sim_Terminal(const Sim_Terminal&) = delete;
    Sim_Terminal& operator=(const Sim_Terminal&) = delete;

    const std::string& path() const { return path_; }
    // The descriptor to poll for input, or -1 while no station has the port
    // open (the pseudo-terminal reports a hang-up then, without end).
    int poll_descriptor() const { return open_ ? master_ : -1; }

    // Looks again whether a station has the port open; true when it has just
    // closed it.
    bool closed_now();
    // What the station wrote; empty when nothing (or the port was closed).
    std::vector<uint8_t> read();
    // Queues octets for the station and writes what the line takes.
    void write(const std::vector<uint8_t>& octets);
    void flush();

private:
    int master_ = -1;
    std::string path_;
    bool open_ = false;
    std::vector<uint8_t> unsent_;
};
