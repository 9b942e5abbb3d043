// The entry of the message codec. The STMF holds the object tree and the
// dynamic objects and encodes and decodes every message against them, in
// SNMP or STMP as the message's encoding style says, with its English trace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "codec/message_content.h"
#include "codec/role.h"
#include "codec/snmp_request_decoder.h"
#include "codec/stmf_message.h"

class Dynamic_Objects;
class Error_State_List;
class ISO_Tree;

namespace stmf_text {
inline constexpr const char* kEmptyPdu = "The STMF PDU is Empty!";
// Shown by either role when a received message could not be decoded.
inline constexpr const char* kDecodingFailed = "STMF decoding exception detected, continuing";
}


class STMF {
public:
    STMF(ISO_Tree& tree, const Dynamic_Objects* dynamic_objects) : tree_(tree), dynamic_objects_(dynamic_objects) {}

    ISO_Tree& tree() const { return tree_; }
    const Dynamic_Objects* dynamic_objects() const { return dynamic_objects_; }

    // Encodes the message into out; the trace (when given) receives the
    // explanation. A field answer passes its error status and index.
    void encode(STMF_Message& out, const Message_Content& message, std::string* trace,
                uint32_t error_status = 0, uint32_t error_index = 0) const;

    struct Decoded {
        Message_Content received;
        std::optional<Field_Answer> answer;  // the field role's answer, when one was worked out
        uint8_t stmp_error_status = 0;       // of an STMP error response
        uint32_t stmp_error_index = 0;
    };

    // Decodes a received PDU. In the central role the request it answers is
    // given, validated against and its Error_State (in errors) filled; in
    // the field role the executor (when given) carries the request out and
    // the answer is returned.
    Decoded decode(const Bytes& pdu, const Message_Content* request, std::string* trace, Role decode_role,
                   Error_State_List* errors, const Request_Executor* executor) const;

private:
    ISO_Tree& tree_;
    const Dynamic_Objects* dynamic_objects_;
};
