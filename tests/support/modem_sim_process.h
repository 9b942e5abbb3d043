// quorvan-modem-sim running beside a test: its modems' ports by number, its
// trace of the exchange, and its control commands.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

class Modem_Sim_Process {
public:
    // Starts the simulator with the arguments and waits until it is ready;
    // throws std::runtime_error when it does not get there.
    Modem_Sim_Process(const std::string& program, const std::vector<std::string>& arguments);

    // The port of the modem with that number (as given, with its digits only).
    const std::string& port_of(const std::string& digits) const;
    // Sends a control command.
    void control(const std::string& command) const { process_.send_line(command); }
    // Waits for a line of the trace printed after start-up.
    bool traced(const std::string& text) const { return process_.wait_for(text, ready_at_); }
    std::string trace() const { return process_.output().substr(ready_at_); }

private:
    Child_Process process_;
    std::map<std::string, std::string> ports_;
    size_t ready_at_ = 0;
};
