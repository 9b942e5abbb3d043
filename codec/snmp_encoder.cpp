#include "codec/snmp_encoder.h"

#include <string>

#include "codec/activity_log.h"
#include "codec/ber.h"
#include "codec/decode_field.h"
#include "codec/message_content.h"
#include "codec/snmp_format.h"
#include "codec/stmf_exception.h"
#include "codec/stmf_message.h"
#include "codec/value_tlv.h"
#include "tree/value_text.h"

namespace {

using namespace snmp_encoder_text;

// Indents of the trace lines: the message, its parts, the PDU's parts, each
// binding, and a binding's identifier and value.
constexpr int kMessageIndent = 1;
constexpr int kPartIndent = 2;
constexpr int kPduPartIndent = 3;
constexpr int kBindingIndent = 4;
constexpr int kObjectIndent = 5;

struct Pdu_Kind {
    uint8_t tag;
    const char* trace;
};

Pdu_Kind pdu_kind_of(uint8_t type, Activity_Log& log) {
    switch (type) {
        case message_type::kGet:
            return {snmp::kGetRequest, "    A0 indicates a Get Request.\n"};
        case message_type::kGetNext:
            return {snmp::kGetNextRequest, "    A1 indicates a Get-Next Request.\n"};
        case message_type::kSet:
            return {snmp::kSetRequest, "    A3 indicates a Set Request.\n"};
        case message_type::kGetResponse:
        case message_type::kFieldResponse:
            return {snmp::kGetResponse, "    A2 indicates a Get Response.\n"};
        case message_type::kSetNoReply:
            log.text("    Set-No Reply Request.\n\n");
            log.text("Error -- Set-No Reply not supported by SNMP!\n");
            throw InvalidReferenceException(kSetNoReply);
        case message_type::kSetResponse:
            throw InvalidReferenceException(kSetResponse);
        case message_type::kErrorResponse:
            throw InvalidReferenceException(kErrorResponse);
        case message_type::kTrap:
            throw InvalidReferenceException(kTrap);
        default:
            throw InvalidReferenceException(kInvalidType);
    }
}

bool carries_values(uint8_t type) {
    return type == message_type::kSet || type == message_type::kSetNoReply || type == message_type::kGetResponse ||
           type == message_type::kFieldResponse;
}

// The bytes of an element written again as decoded field lines.
void trace_back(const Bytes& element, Activity_Log& log, int indent, bool as_sequence = false) {
    if (!log.enabled()) return;
    Byte_Reader reader(element);
    decode_field(reader, log, indent, as_sequence);
}

void trace_bindings(const Bytes& bindings, Activity_Log& log) {
    if (!log.enabled()) return;
    Byte_Reader reader(bindings);
    decode_field(reader, log, kPduPartIndent);
    while (!reader.empty()) {
        decode_field(reader, log, kBindingIndent);
        decode_field(reader, log, kObjectIndent);
        decode_field(reader, log, kObjectIndent);
    }
}

// Request ids are INTEGERs: a negative one goes as its two's complement.
Bytes request_id_tlv(int32_t id) { return wrap(ber::kInteger, encode_signed(id)); }

}  // namespace

void encode_snmp(const Message_Content& message, STMF_Message& out, Activity_Log& log, const ISO_Tree& tree,
                 uint32_t error_status, uint32_t error_index) {
    const uint8_t type = message.message_type();
    const size_t start = log.size();

    Bytes bindings;
    if (error_status == code_of(Snmp_Error_Status::noError)) {
        for (const Object_Entry& entry : message.objects()) {
            Bytes binding;
            standard_oid_tlv(tree_form_of(entry), binding);
            append(binding, carries_values(type) ? value_tlv(entry) : Bytes{ber::kNull, 0x00});
            make_sequence(binding);
            append(bindings, binding);
        }
        make_sequence(bindings);
    }
    const Pdu_Kind kind = pdu_kind_of(type, log);
    if (!bindings.empty()) {
        log.text("  The Variable Binding of Objects follows:\n");
        trace_bindings(bindings, log);
    }

    // The PDU's header fields, traced in front of the bindings.
    const Bytes id = request_id_tlv(message.request_id());
    const Bytes status = integer_tlv(error_status);
    const Bytes index = integer_tlv(error_index);
    Bytes pdu = id;
    append(pdu, status);
    append(pdu, index);
    append(pdu, bindings);
    make_sequence(pdu);
    pdu[0] = kind.tag;

    std::string fields_text;
    Activity_Log fields(tree, log.enabled() ? &fields_text : nullptr);
    trace_back(pdu, fields, kPartIndent, true);  // shows the PDU tag where the SEQUENCE byte was
    fields.text(kind.trace);
    fields.text("  The Request ID which was assigned to this message was:\n");
    trace_back(id, fields, kPduPartIndent);
    fields.text("  Error Status is No-Error on a request.\n");
    trace_back(status, fields, kPduPartIndent);
    fields.text("  Error Index is null on a request.\n");
    trace_back(index, fields, kPduPartIndent);
    log.insert(start, fields_text);

    // Version and community go in front of the PDU, and the whole into a SEQUENCE.
    const Bytes version = integer_tlv(snmp::kVersion1);
    const Bytes community = wrap(ber::kOctetString, message.community());
    Bytes whole = version;
    append(whole, community);
    append(whole, pdu);
    make_sequence(whole);

    std::string header_text;
    Activity_Log header(tree, log.enabled() ? &header_text : nullptr);
    trace_back(whole, header, kMessageIndent);
    header.text("  Version Number:");
    trace_back(version, header, kPartIndent);
    header.text("  Community Name:");
    trace_back(community, header, kPartIndent);
    log.insert(start, header_text);

    out.store(std::move(whole));
}
