// The one- or two-octet fields of a frame (address, IPI) keep their line
// octets in a 16-bit value: the first octet in the high byte of a two-octet
// field, the only octet in the low byte of a one-octet field.
#pragma once

#include <cstdint>

#include "base/bytes.h"

inline void append_field_octets(Bytes& out, int length, uint16_t value) {
    if (length == 2) out.push_back(static_cast<uint8_t>(value >> 8));
    if (length >= 1) out.push_back(static_cast<uint8_t>(value & 0xFF));
}
