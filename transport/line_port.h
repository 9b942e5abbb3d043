// The physical line the receiver reads and the sender writes: a serial port,
// a socket (UDP or TCP), later a modem. The receiver thread waits on its
// descriptor and reads what has arrived; the framer of the line's link turns
// the octets into frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "datalink/framer.h"

enum class Read_Outcome : uint8_t {
    octets,   // octets were added to the buffer
    nothing,  // nothing to hand on (a connection accepted, a stray wake-up)
    closed,   // the other side has gone; the line may come back by itself
};

class Line_Port {
public:
    virtual ~Line_Port() = default;

    // The descriptor to wait on for octets; -1 when there is none just now.
    virtual int handle() const = 0;
    // Reads what has arrived into buffer from position count on, adding to
    // count. A line of datagrams reads one whole datagram per call.
    virtual Read_Outcome read(std::span<uint8_t> buffer, size_t& count) = 0;
    // Writes all octets (one datagram on a datagram line); false when they
    // could not go out.
    virtual bool write(std::span<const uint8_t> octets) = 0;
    virtual void close() = 0;

    // The framing the line carries; none for UDP's datagrams.
    virtual Link_Type link() const = 0;
    // What has happened on the line since the last call, for the display
    // (a connection made or lost); empty when nothing.
    virtual std::string take_notice() { return {}; }

    // A line that hung up (closed outcome) and that the receiver opens
    // again itself: closes it and says why it was lost. Empty for a line
    // that looks after itself (a socket line) or has nothing to reopen.
    virtual std::string hang_up() { return {}; }
    // Opens a line that hung up again; false while it cannot be had.
    virtual bool reopen() { return false; }
};
