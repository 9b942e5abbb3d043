// STMP messages: one header byte, the message type in the high nibble and
// the object encoding in the low, then the PDU:
//   nibble 0       identifier-value form, identifiers relative to the NEMA node
//   nibble 1..13   dynamic object n: its values back to back, no identifiers
//   nibble 14      identifier-value form, standard identifiers
//   nibble 15      not used
// Identifier-value form: Get and Get-next carry 06 L <oid> per object; Set,
// Set without reply and Get response 30 L (06 L <oid>) <value> per object;
// more than one object is wrapped in one more SEQUENCE.
// An error response is the header, the error status byte and the error
// index as a length field.
#pragma once

#include <cstdint>

namespace stmp {
inline constexpr uint8_t kNemaNibble = 0;
inline constexpr uint8_t kRootNibble = 14;
inline constexpr uint8_t kUnusedNibble = 15;
inline constexpr int kValueIndent = 2;
}  // namespace stmp

// The error status byte of an STMP error response.
enum class Stmp_Error_Status : uint8_t {
    tooBig = 1,
    noSuchName = 2,
    badValue = 3,
    readOnly = 4,
    genErr = 5,
};
