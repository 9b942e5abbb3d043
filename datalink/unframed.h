// The framer of SNMP straight over UDP: there is no frame. The datagram is
// the message, whole, so there is no address, control, IPI or FCS to build,
// check or spoil; only the faults that act on the message's octets apply.
#pragma once

#include "datalink/framer.h"

class Random_Source;

class Unframed final : public Framer {
public:
    explicit Unframed(Random_Source& random) : random_(random) {}

    // The message itself, with the armed octet faults put into it; the
    // positions all name the message's first octet, the last its last.
    std::optional<Sent_Frame> frame_message(std::span<const uint8_t> information, int32_t address, int32_t group,
                                            std::string_view class_name, const Frame_Faults& faults) const override;
    // The whole datagram is the information field, an NTCIP message; an
    // empty datagram carries none (kNoInformation).
    Decode_Result decode(Raw_Message& message) const override;
    // Octets are collected, but only the line knows where a datagram ends:
    // never completes a frame.
    bool add_received_octet(Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const override;

    // The longest UDP payload.
    static constexpr size_t kLongestDatagram = 65507;

    // The frame faults that have no meaning without a frame.
    static bool has_frame_faults(const Frame_Faults& faults) {
        return faults.armed && (faults.invalid_crc || faults.invalid_address || faults.invalid_control);
    }

private:
    Random_Source& random_;
};
