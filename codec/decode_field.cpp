#include "codec/decode_field.h"

#include "codec/stmf_exception.h"

Decoded_Field decode_field(Byte_Reader& pdu, Activity_Log& log, int indent, bool as_sequence) {
    Decoded_Field field;
    const Field_View view = read_field(pdu, log, indent, as_sequence, &field.name);
    field.tag = view.tag;
    field.length = view.length;
    field.content.assign(view.content.begin(), view.content.end());
    return field;
}

Field_View read_field(Byte_Reader& pdu, Activity_Log& log, int indent, bool as_sequence, std::string* name) {
    using namespace decode_field_text;
    const bool traced = log.enabled();
    if (traced && !pdu.empty()) log.hex_byte(indent, pdu.peek());
    if (pdu.remaining() < 2) {
        log.text(kTooShort);
        throw STMF_Exception(kInvalidLength);
    }
    const uint8_t second = pdu.peek(1);
    if (traced && (second & 0x80)) {
        const size_t last = 1 + (second & 0x0F);
        for (size_t i = 1; i <= last && i < pdu.remaining(); ++i) log.hex_byte(0, pdu.peek(i));
    } else if (traced) {
        log.hex_byte(0, second);
    }

    Field_View field;
    field.tag = pdu.take_byte();
    if (second < 0x80) {  // the short form, read here
        pdu.skip(1);
        field.length = second;
    } else if (!decode_length(pdu, field.length)) {
        field.length = pdu.remaining() + 1;  // reported as inconsistent below
    }
    if (pdu.remaining() < field.length) {
        log.text(kInconsistent1);
        log.text(kInconsistent2);
        throw STMF_Exception(kInvalidLength);
    }
    if (field.tag == ber::kSequence || as_sequence) {
        if (!traced) return field;
        log.text("  : ");
        log.describe_octets(ber::kSequence, field.length, field.content, indent);
        return field;
    }
    field.content = pdu.take_view(field.length);
    if (!traced) return field;
    log.hex_octets(0, field.content, "  : ");
    if (field.length > 12) log.indent(indent + 1);
    std::string described = log.describe_octets(field.tag, field.length, field.content, indent);
    if (name != nullptr) *name = std::move(described);
    return field;
}
