// What a station writes, captured on the way: a relay on a loopback port
// that carries every datagram to an agent (snmpd, or the gateway in front of
// a field device) and each answer back, keeping a copy of both; and
// tshark's reading of those messages.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Temp_Dir;

using Datagram = std::vector<uint8_t>;

class Udp_Relay {
public:
    explicit Udp_Relay(uint16_t agent_port);
    ~Udp_Relay();
    Udp_Relay(const Udp_Relay&) = delete;
    Udp_Relay& operator=(const Udp_Relay&) = delete;

    std::string endpoint() const { return "udp:127.0.0.1:" + std::to_string(port_); }
    std::vector<Datagram> carried_to_agent() const;
    std::vector<Datagram> carried_from_agent() const;

private:
    void carry();

    int front_ = -1;  // the station's side
    int back_ = -1;   // the agent's side
    int stop_[2] = {-1, -1};
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::vector<Datagram> to_agent_;
    std::vector<Datagram> from_agent_;
    std::thread thread_;
};

// tshark's full decode of the messages as SNMP over UDP; the test fails on
// any malformed packet or expert warning. Returns the decode.
std::string expect_tshark_reads_cleanly(const std::vector<Datagram>& messages, const Temp_Dir& dir);
