#include "codec/stmf.h"

#include "codec/activity_log.h"
#include "codec/snmp_encoder.h"
#include "codec/snmp_response_decoder.h"
#include "codec/stmf_exception.h"
#include "codec/stmp_decoder.h"
#include "codec/stmp_encoder.h"
#include "codec/stmp_request_decoder.h"
#include "tree/iso_tree.h"

void STMF::encode(STMF_Message& out, const Message_Content& message, std::string* trace, uint32_t error_status,
                  uint32_t error_index) const {
    auto hold = tree_.read_lock();
    Activity_Log log(tree_, trace);
    switch (message.encoding_style()) {
        case style::kNone:
            return;
        case style::kSnmp:
            log.text("\nEncoding:\n");
            encode_snmp(message, out, log, tree_, error_status, error_index);
            return;
        case style::kStmp:
            encode_stmp(message, out, log, tree_, dynamic_objects_);
            return;
        default:
            throw InvalidReferenceException(message_error::kInvalidFormat);
    }
}

STMF::Decoded STMF::decode(const Bytes& pdu, const Message_Content* request, std::string* trace, Role decode_role,
                           Error_State_List* errors, const Request_Executor* executor) const {
    if (pdu.empty()) throw DecodingException(stmf_text::kEmptyPdu);
    auto hold = tree_.write_lock();
    Activity_Log log(tree_, trace);
    Decoded decoded;
    const bool central = decode_role != Role::field;
    if (central && request != nullptr && request->raw_message_type() == message_type::kSetNoReply)
        log.text("Suspected Protocol Error!  A response was received to a SET NO REPLY message\n");
    log.hex_byte(1, pdu.front(), "  : ");
    decoded.received.decode_first_byte(pdu.front());

    switch (decoded.received.encoding_style()) {
        case style::kSnmp:
            if (central) {
                if (request == nullptr) throw InvalidReferenceException(message_error::kEmptyList);
                decode_snmp_response(pdu, decoded.received, *request, log, errors, tree_);
            } else {
                const std::vector<std::string> communities =
                    executor != nullptr ? executor->communities() : std::vector<std::string>{};
                decoded.answer = decode_snmp_request(pdu, log, tree_, communities);
                if (executor != nullptr) executor->carry_out(*decoded.answer, log, tree_);
            }
            break;
        case style::kStmp: {
            const uint8_t type = decoded.received.raw_message_type();
            const bool request_type = type == message_type::kGet || type == message_type::kGetNext ||
                                      type == message_type::kSet || type == message_type::kSetNoReply;
            if (!central && request_type) {
                decoded.answer = decode_stmp_request(pdu, decoded.received, log, tree_, dynamic_objects_);
                if (executor != nullptr) executor->carry_out(*decoded.answer, log, tree_);
                break;
            }
            const Stmp_Error error = decode_stmp(pdu, decoded.received, central ? request : nullptr, log, tree_,
                                                 dynamic_objects_, central ? errors : nullptr);
            decoded.stmp_error_status = error.status;
            decoded.stmp_error_index = error.index;
            break;
        }
        default:
            log.text("Unknown Format!\n");
            log.unreconciled_line();
            break;
    }
    return decoded;
}
