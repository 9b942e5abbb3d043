// A framing of the line, chosen once per connection: it turns a message into
// a frame to send, assembles received octets into frames and decodes them
// into their fields. PMPP frames serial lines and TCP streams here; PPP's
// framing (from ppp/) plugs in beside it, and UDP's datagrams need none. Callers hold the link lock
// around every use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/bytes.h"
#include "datalink/frame_faults.h"
#include "datalink/pmpp_format.h"
#include "datalink/raw_message.h"

// A frame built for the line, with the index in it at which each of the
// seven fields starts (pmpp::Field_Position).
struct Sent_Frame {
    Bytes octets;
    std::array<size_t, pmpp::kFieldPositionCount> positions{};
    uint16_t ipi_length = 0;
};

// The links a message can be framed for.
enum class Link_Type : int32_t {
    pmpp = 1,  // a serial line
    ppp = 2,   // a modem or network link
    none = 3,  // SNMP straight over UDP: the datagram is the message
};

class Framer {
public:
    virtual ~Framer() = default;

    // The frame for a message to a station; nothing when this link frames
    // no messages.
    virtual std::optional<Sent_Frame> frame_message(std::span<const uint8_t> information, int32_t address,
                                                    int32_t group, std::string_view class_name,
                                                    const Frame_Faults& faults) const = 0;
    // Decodes the complete frame in message.octets into its fields.
    virtual Decode_Result decode(Raw_Message& message) const = 0;
    // Appends one received octet to the frame under assembly; true when it
    // completed the frame.
    virtual bool add_received_octet(Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const = 0;
};
