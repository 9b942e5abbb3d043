// A serial port as the transport uses it: opened with its line settings,
// written with a bounded wait, read for whatever has arrived.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// A read that found nothing and was left to finish later: the octets that
// arrive go to its destination. The caller keeps the destination's storage
// alive while the read is pending.
struct Pending_Read {
    std::span<uint8_t> destination;
    bool pending = false;
};

// The time texts around one read.
struct Read_Times {
    std::string start;
    std::string end;
};

// The time-out record: in milliseconds, in the order the platform lists them.
struct Port_Timeouts {
    uint32_t read_interval = 0;
    uint32_t read_total_multiplier = 0;
    uint32_t read_total_constant = 0;  // the longest wait for the first octet of a read
    uint32_t write_total_multiplier = 0;
    uint32_t write_total_constant = 0;
};

class Serial_Port_Imp {
public:
    // What read returns when its last attempt was left pending.
    static constexpr uint32_t kReadPending = 0x301;

    virtual ~Serial_Port_Imp() = default;

    // Opens the device with its line settings.
    virtual void open(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity,
                      uint16_t stop_bits) = 0;
    virtual void close() = 0;
    // Reads what has arrived into buffer from position count on, adding to
    // count; 0, or kReadPending when the last attempt was left pending.
    virtual uint32_t read(std::span<uint8_t> buffer, size_t& count, Pending_Read& pending, Read_Times& times) = 0;
    // Writes all octets within the time budget of the write, or throws.
    virtual void write(std::span<const uint8_t> octets) = 0;
    // Closes an open port and opens it again with the settings given.
    virtual void reset(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity,
                       uint16_t stop_bits) = 0;
    virtual void set_timeouts() = 0;
};
