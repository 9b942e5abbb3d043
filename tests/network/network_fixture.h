// A central station (the engine in the test) on a network line, and the peers
// it talks to, each its own process on the loopback: quorvan-cli as the field
// device, and net-snmp's snmpd with a private configuration.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

// A loopback port nothing listens on just now (of the socket type given).
uint16_t free_loopback_port(int type);

struct Binding {
    std::string name;
    std::string value;
    uint8_t type = 0;
};

enum class Kind { get, get_next, set };

struct Request_Plan {
    Kind kind = Kind::get;
    std::vector<Binding> bindings;
    bool stmp = false;
    std::string community = "Orchid";
};

struct Outcome {
    int32_t result = -1;
    std::string message;
    int32_t status = 0;
    int32_t index = 0;
    std::string value;
};

// net-snmp's agent on a loopback UDP port, serving a few of the demo MIB's
// objects (read-write) from its private configuration file.
class Snmpd_Process {
public:
    explicit Snmpd_Process(const Temp_Dir& dir);
    ~Snmpd_Process();
    uint16_t port() const { return port_; }
    std::string endpoint() const { return "udp:127.0.0.1:" + std::to_string(port_); }

private:
    uint16_t port_ = 0;
    std::unique_ptr<Child_Process> process_;
};

class Network_Test : public ::testing::Test {
protected:
    static constexpr int kTimeOut = 2;

    Network_Test();
    ~Network_Test() override;

    // The central station's line, opened by the port text (the engine is
    // already there, with its MIB and receiver thread).
    bool use_port(const std::string& port_text);
    // quorvan-cli as the field device on the port text, with further options.
    void start_field(const std::string& port_text, const std::vector<std::string>& options = {});
    void inject(const std::string& list);

    int32_t send(const Request_Plan& plan);
    Outcome outcome(int32_t id);
    Outcome round_trip(const Request_Plan& plan) { return outcome(send(plan)); }

    Temp_Dir central_dir;
    Temp_Dir field_dir;
    Working_Directory enter;
    std::unique_ptr<Child_Process> field;
};

// Everything the central station's engine has displayed.
std::string central_display();
