// The SNMPv1 message as the station writes and reads it:
//   30 L  version 02 01 00 (version 1 is sent as 0)
//         community 04 L <octets>
//         PDU  <tag> L  request id 02 L, error status 02 L, error index 02 L,
//                       variable bindings 30 L { 30 L (06 L <oid>) (<value> | 05 00) }...
#pragma once

#include <cstdint>

namespace snmp {
inline constexpr uint8_t kGetRequest = 0xA0;
inline constexpr uint8_t kGetNextRequest = 0xA1;
inline constexpr uint8_t kGetResponse = 0xA2;
inline constexpr uint8_t kSetRequest = 0xA3;
inline constexpr uint8_t kTrap = 0xA4;
inline constexpr uint8_t kVersion1 = 0x00;
}  // namespace snmp

// The error status of a response, by RFC 1157's names. On the wire, and in
// what a response brought, it is a plain number that may be none of these.
enum class Snmp_Error_Status : uint32_t {
    noError = 0,
    tooBig = 1,
    noSuchName = 2,
    badValue = 3,
    readOnly = 4,
    genErr = 5,
};
constexpr uint32_t code_of(Snmp_Error_Status status) { return static_cast<uint32_t>(status); }
