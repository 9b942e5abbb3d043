#include "codec/snmp_encoder.h"

#include "codec/snmp_wire.h"

#include <string>

#include "codec/activity_log.h"
#include "codec/ber.h"
#include "codec/decode_field.h"
#include "codec/message_content.h"
#include "codec/oid_forms.h"
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

// The text of an encoded message, in wire order: every element written
// again as a decoded field line, with the sentences between them.
void trace_message(const Bytes& whole, const Pdu_Kind& kind, Activity_Log& log) {
    Byte_Reader reader(whole);
    decode_field(reader, log, kMessageIndent);
    log.text("  Version Number:");
    decode_field(reader, log, kPartIndent);
    log.text("  Community Name:");
    decode_field(reader, log, kPartIndent);
    decode_field(reader, log, kPartIndent, /*as_sequence=*/true);  // shows the PDU tag
    log.text(kind.trace);
    log.text("  The Request ID which was assigned to this message was:\n");
    decode_field(reader, log, kPduPartIndent);
    log.text("  Error Status is No-Error on a request.\n");
    decode_field(reader, log, kPduPartIndent);
    log.text("  Error Index is null on a request.\n");
    decode_field(reader, log, kPduPartIndent);
    log.text("  The Variable Binding of Objects follows:\n");
    decode_field(reader, log, kPduPartIndent);
    while (!reader.empty()) {
        decode_field(reader, log, kBindingIndent);
        decode_field(reader, log, kObjectIndent);
        decode_field(reader, log, kObjectIndent);
    }
}

// One binding: the object's identifier and its value (or NULL).
struct Binding {
    const Object_Entry* entry;
    Standard_Oid oid;
    Value_Parts value;

    Binding(const Object_Entry& e, bool with_value)
        : entry(&e), oid(standard_oid_of(e)), value(with_value ? value_parts(e) : Value_Parts{ber::kNull, {}}) {}
    size_t content_size() const { return tlv_size(oid.size()) + tlv_size(value.content.size()); }
};

}  // namespace

void encode_snmp(const Message_Content& message, STMF_Message& out, Activity_Log& log, const ISO_Tree& /*tree*/,
                 uint32_t error_status, uint32_t error_index) {
    const uint8_t type = message.message_type();

    // The sizes first, so that the message is written front to back into
    // one buffer: each object's identifier and value, the bindings, the PDU.
    // An answer with an error status carries bindings too: RFC 1157 has it
    // repeat the request's, and a manager cannot read a PDU without them.
    size_t bindings_size = 0;
    // A request needs objects; an answer refusing a request it could not
    // read has none to repeat.
    const bool answer_with_error = error_status != code_of(Snmp_Error_Status::noError);
    const Object_List& objects = answer_with_error ? message.objects_as_they_are() : message.objects();
    const bool values = carries_values(type);
    for (const Object_Entry& entry : objects) bindings_size += tlv_size(Binding(entry, values).content_size());
    const Pdu_Kind kind = pdu_kind_of(type, log);

    // Request ids are INTEGERs: a negative one goes as its two's complement.
    const Integer_Octets id = request_id_octets(message.request_id());
    const Integer_Octets status = unsigned_octets(error_status);
    const Integer_Octets index = unsigned_octets(error_index);
    const size_t pdu_size = tlv_size(id.size) + tlv_size(status.size) + tlv_size(index.size) +
                            tlv_size(bindings_size);
    const Bytes& community = message.community();
    const Integer_Octets version = unsigned_octets(snmp::kVersion1);
    const size_t whole_size = tlv_size(version.size) + tlv_size(community.size()) + tlv_size(pdu_size);

    Bytes whole;
    whole.reserve(tlv_size(whole_size));
    append_header(whole, ber::kSequence, whole_size);
    append_tlv(whole, ber::kInteger, version.view());
    append_tlv(whole, ber::kOctetString, community);
    append_header(whole, kind.tag, pdu_size);
    append_tlv(whole, ber::kInteger, id.view());
    append_tlv(whole, ber::kInteger, status.view());
    append_tlv(whole, ber::kInteger, index.view());
    append_header(whole, ber::kSequence, bindings_size);
    for (const Object_Entry& entry : objects) {
        const Binding binding(entry, values);
        append_header(whole, ber::kSequence, binding.content_size());
        append_header(whole, ber::kObjectIdentifier, binding.oid.size());
        binding.oid.append_to(whole);
        append_tlv(whole, binding.value.tag, binding.value.content);
    }

    if (log.enabled()) trace_message(whole, kind, log);
    out.store(std::move(whole));
}
