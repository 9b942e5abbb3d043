// Storing a value that arrived in a Set request (the field role): the octets
// are taken by the syntax of the object they are set into.
//   INTEGER              two's complement, within the object's range
//   Counter, Gauge,
//   TimeTicks            an unsigned number of 32 bits
//   OCTET STRING, IpAddress, OBJECT IDENTIFIER, Opaque
//                        the octets as they came
// A value whose tag is not the object's syntax is refused as a bad value.
#pragma once

#include <cstdint>

#include "base/bytes.h"

class Iso_Instance;

// 0 stored, 3 bad value, 4 read-only; a refused value leaves the old one.
int store_received_value(Iso_Instance& instance, uint8_t tag, const Bytes& content);
