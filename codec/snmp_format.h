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

// Error status values of a response.
inline constexpr uint32_t kNoError = 0;
inline constexpr uint32_t kTooBig = 1;
inline constexpr uint32_t kNoSuchName = 2;
inline constexpr uint32_t kBadValue = 3;
inline constexpr uint32_t kReadOnly = 4;
inline constexpr uint32_t kGenErr = 5;
}  // namespace snmp
