// Encodes a message of the SNMP style into an SNMPv1 message, with its
// English trace in wire order.
#pragma once

#include <cstdint>

class Activity_Log;
class ISO_Tree;
class Message_Content;
class STMF_Message;

namespace snmp_encoder_text {
inline constexpr const char* kSetNoReply = "An attempt was made to encode an SNMP Set-No Reply Request, but this is invalid!";
inline constexpr const char* kSetResponse = "An attempt was made to encode a SET Response, but this is not implemented yet!";
inline constexpr const char* kErrorResponse =
    "An attempt was made to encode a ERROR Response, but this is not implemented yet!";
inline constexpr const char* kTrap = "An attempt was made to encode a TRAP, but this is not implemented!";
inline constexpr const char* kInvalidType = "An invalid message type was requested!";
}  // namespace snmp_encoder_text

// Requests go with error status and index 0; the field role's answers carry
// their own, and with a non-zero status the bindings the request came with.
void encode_snmp(const Message_Content& message, STMF_Message& out, Activity_Log& log, const ISO_Tree& tree,
                 uint32_t error_status = 0, uint32_t error_index = 0);
