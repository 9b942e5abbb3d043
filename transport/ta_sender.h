// The sending side of the transport agent: writes frames to the line of the
// connection in use (a serial port, a socket, or a modem with a call).
#pragma once

#include <cstdint>
#include <span>

class Line_Port;

// How the station reaches the line.
enum class Connection_Type : int32_t {
    serial = 1,
    modem = 2,
    network = 3,
};

class Transport_Agent {
public:
    explicit Transport_Agent(Line_Port& line) : line_(line) {}

protected:
    Line_Port& line_;
};

class TA_Sender : public Transport_Agent {
public:
    using Transport_Agent::Transport_Agent;
    // Writes the octets; false when the write failed or there is no line
    // for the connection type.
    bool send(std::span<const uint8_t> octets, Connection_Type connection_type);
};

// The station's way onto the line, given the sender.
class NTCIP_Station {
public:
    explicit NTCIP_Station(TA_Sender& sender) : sender_(sender) {}
    bool send(std::span<const uint8_t> octets, Connection_Type connection_type) {
        return sender_.send(octets, connection_type);
    }

private:
    TA_Sender& sender_;
};
