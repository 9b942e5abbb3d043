// The HDLC address field of a PMPP frame. Bit 0 of each address octet is the
// extension bit: 0 when another address octet follows, 1 on the last one.
//
//   address below 64:  one octet   A << 2 | G << 1 | 1
//   64 and above:      two octets  (A / 64) << 1, then (A % 64) << 2 | G << 1 | 1
//                      (the high part held at 127 from 8192 on)
//   255:               the two octets 05 33, whatever G is
#pragma once

#include <cstdint>
#include <span>

#include "base/bytes.h"

class HDLC_Addr {
public:
    // Length 0, value 0: no address.
    HDLC_Addr() = default;
    // The address of a station, with the group-address flag.
    HDLC_Addr(int32_t station, bool group);

    // Reads the address at the start of a frame body; throws
    // InvalidLengthException when the octets end before the address does.
    static HDLC_Addr decode(std::span<const uint8_t> octets);

    // The number of address octets on the line: 1 or 2 (0 for no address).
    int16_t length() const { return length_; }
    // The octets as they go on the line: the first in the high byte of a
    // two-octet address, the only one in the low byte of a one-octet address.
    uint16_t value() const { return value_; }

    // The station number and group flag the octets stand for.
    int32_t station() const;
    bool group() const { return (value_ & 0x02) != 0; }

    void append_to(Bytes& out) const;
    Bytes octets() const;

    bool operator==(const HDLC_Addr&) const = default;

    static constexpr int32_t kLargestOneOctet = 63;
    static constexpr int32_t kHighPartLimit = 127;

private:
    static HDLC_Addr from_line(int16_t length, uint16_t value) {
        HDLC_Addr address;
        address.length_ = length;
        address.value_ = value;
        return address;
    }

    int16_t length_ = 0;
    uint16_t value_ = 0;
};
