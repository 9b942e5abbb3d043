// The short text of each SNMP error status, as GetError reports it beside
// the error flags.
#pragma once

#include <cstdint>

namespace snmp_error_text {
inline constexpr const char* kPrefix = "SNMP Error: ";
inline constexpr const char* kUnknown = "Unknown error code setting in SNMP Error Status";
}  // namespace snmp_error_text

// The text of a status a response brought; kUnknown for noError and for any
// value outside RFC 1157's.
const char* snmp_error_status_text(int32_t status);
