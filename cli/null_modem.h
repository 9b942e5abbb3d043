// Two pseudo-terminals joined like a null-modem cable: what one side's
// program writes, the other side's program reads. Each side is a terminal
// device with a path, as a serial port is, so a field device and a central
// station can run on one machine. The cable holds each side open itself, so
// a program may close its side and open it again without losing the line.
#pragma once

#include <atomic>
#include <string>
#include <thread>

class Null_Modem {
public:
    // Opens both pseudo-terminals and starts carrying octets; throws
    // std::runtime_error when the system has none to give.
    Null_Modem();
    ~Null_Modem();
    Null_Modem(const Null_Modem&) = delete;
    Null_Modem& operator=(const Null_Modem&) = delete;

    const std::string& first() const { return paths_[0]; }
    const std::string& second() const { return paths_[1]; }

    // Octets carried from each side so far.
    size_t carried(int side) const { return carried_[side].load(); }

private:
    void carry();

    int masters_[2] = {-1, -1};
    int holders_[2] = {-1, -1};  // each side held open, so it never hangs up
    std::string paths_[2];
    int stop_fd_ = -1;
    std::atomic<size_t> carried_[2] = {0, 0};
    std::thread thread_;
};
