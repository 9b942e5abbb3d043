// The engine of this process as the central station, for the line bench: on
// a port, with the sample MIB loaded and the receiver running; and the one
// request the bench sends, a Get of one object.
#pragma once

#include <cstdint>
#include <string>

#include "quorvan.h"

class Central_Station {
public:
    static constexpr uint16_t kBaud = 9600;

    // Opens the port and loads the MIB of the current working directory;
    // throws std::runtime_error when either fails.
    explicit Central_Station(const std::string& port);
    ~Central_Station();
    Central_Station(const Central_Station&) = delete;
    Central_Station& operator=(const Central_Station&) = delete;

    // Reopens the station on another port, with a time-out in seconds.
    void move_to(const std::string& port, int32_t time_out);
};

// A one-object SNMP Get to drop address 1.
class Get_Request {
public:
    explicit Get_Request(std::string object);
    Get_Request(const Get_Request&) = delete;
    Get_Request& operator=(const Get_Request&) = delete;

    const std::string& object() const { return object_; }

    // Sends it; the request id, or throws when it cannot be encoded.
    int32_t send();

private:
    std::string protocol_ = "SNMP";
    std::string class_name_ = "Class B";
    std::string community_ = "Orchid";
    std::string object_;
    std::string value_;
    Message_Request request_{};
};

// Waits for a request's outcome and lets it go; throws unless the request was
// answered without an error.
void expect_answered(int32_t request_id);
