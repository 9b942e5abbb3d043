// The frame check sequence of PMPP and PPP: the FCS-16 of RFC 1662
// (CRC-16/X.25): generator x^16 + x^12 + x^5 + 1 processed least significant
// bit first, initial value 0xFFFF, the final value complemented and sent
// low-order octet first.
#pragma once

#include <cstdint>
#include <span>

#include "base/bytes.h"

struct Raw_Message;

class CRC {
public:
    static constexpr uint16_t kInitial = 0xFFFF;
    // What the update leaves after running over an intact body, its FCS
    // included.
    static constexpr uint16_t kGoodResidue = 0xF0B8;

    // Runs the FCS over the octets, from a running value.
    static uint16_t update(uint16_t fcs, std::span<const uint8_t> octets);

    // The FCS to send for the octets, as a 16-bit value whose high byte is
    // the first octet on the line and whose low byte is the second:
    // "123456789" gives 0x6E90, no octets give 0x0000.
    static uint16_t calculate(std::span<const uint8_t> octets);
    // Appends the two octets of an FCS value as calculate() returns it.
    static void append(Bytes& out, uint16_t value);

    // Checks a received body (flags removed, stuffing undone, FCS at the
    // end): stores the residue in the message and throws CRCException when
    // the body is too short to hold an FCS or the residue is not the good one.
    static void validate(std::span<const uint8_t> body, Raw_Message& message);
};
