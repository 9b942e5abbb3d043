// The fixed-length rule STMP dynamic objects use. An object whose syntax has
// a fixed size L (the bytes its range needs) is written in exactly L bytes:
// a number as its offset from the range's lower bound, an IpAddress as its
// four bytes. Other objects are written with a length field.
#pragma once

#include <cstdint>

#include "base/bytes.h"

class ISO_Object;

namespace fixed_length_text {
inline constexpr const char* kTooLarge = "The length of the value was too large for the assigned length!";
inline constexpr const char* kIpLength = "Invalid length for an IP Address";
inline constexpr const char* kNotFixed = "Invalid request to encode variable as fixed length";
inline constexpr const char* kInvalidSyntax = "Invalid Syntax requested!";
}  // namespace fixed_length_text

// The fixed size of an object's values, 0 for a variable length.
uint32_t fixed_size_of(const ISO_Object* object);

// The value in L bytes (L = 0: the value as it stands).
Bytes fixed_length_value(const ISO_Object* object, const Bytes& value, uint32_t length);

// The stored value of L received bytes: for a number, the offset added back
// to the lower bound and written as integer contents; otherwise the bytes.
Bytes value_from_fixed_length(const ISO_Object* object, const Bytes& received);
