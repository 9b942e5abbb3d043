#include "tests/support/modem_sim_process.h"

#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::string> with_program(const std::string& program, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), program);
    return arguments;
}

}  // namespace

Modem_Sim_Process::Modem_Sim_Process(const std::string& program, const std::vector<std::string>& arguments)
    : process_(with_program(program, arguments)) {
    if (!process_.wait_for("ready\n")) throw std::runtime_error("the modem simulator did not start: " + process_.output());
    const std::string output = process_.output();
    ready_at_ = output.find("ready\n") + 6;
    std::istringstream lines(output.substr(0, ready_at_));
    std::string word, number, port;
    while (lines >> word && word == "modem" && lines >> number >> port) ports_[number] = port;
}

const std::string& Modem_Sim_Process::port_of(const std::string& digits) const {
    const auto port = ports_.find(digits);
    if (port == ports_.end()) throw std::runtime_error("no simulated modem " + digits);
    return port->second;
}
