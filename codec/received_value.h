// Storing a value that arrived in a Set request (the field role): the octets
// are checked against the whole syntax of the object they are set into.
//   INTEGER              two's complement, within the object's range, and one
//                        of its enumerated values when it has them
//   Counter, Gauge,
//   TimeTicks            an unsigned number of 32 bits
//   OCTET STRING, Opaque within the SIZE clause, when there is one
//   IpAddress            four octets
//   OBJECT IDENTIFIER    a whole identifier
// A value whose tag is not the object's syntax is refused as a bad value.
#pragma once

#include <cstdint>

#include "base/bytes.h"

class Iso_Instance;

// What a Set would store: the result (0 stored, 3 bad value, 4 read-only)
// and, when 0, the octets.
struct Checked_Value {
    int result = 0;
    Bytes octets;
};

// Checks the value without changing anything, so that a Set can check all
// its values before it stores any.
Checked_Value check_received_value(const Iso_Instance& instance, uint8_t tag, const Bytes& content);

// 0 stored, 3 bad value, 4 read-only; a refused value leaves the old one.
int store_received_value(Iso_Instance& instance, uint8_t tag, const Bytes& content);
