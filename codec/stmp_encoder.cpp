#include "codec/stmp_encoder.h"

#include <string>

#include "codec/activity_log.h"
#include "codec/ber.h"
#include "codec/decode_field.h"
#include "codec/dynamic_objects.h"
#include "codec/fixed_length.h"
#include "codec/message_content.h"
#include "codec/oid_forms.h"
#include "codec/stmf_exception.h"
#include "codec/stmf_message.h"
#include "codec/stmp_format.h"
#include "codec/value_tlv.h"
#include "dynobj/dynamic_object.h"
#include "tree/iso_tree.h"
#include "tree/oid.h"

namespace {

using namespace stmp_encoder_text;

// The elements of a PDU written again as decoded field lines, each
// SEQUENCE's elements one indent further in.
void trace_elements(const Bytes& bytes, Activity_Log& log, int indent) {
    if (!log.enabled()) return;
    Byte_Reader reader(bytes);
    while (!reader.empty()) {
        const Decoded_Field field = decode_field(reader, log, indent);
        if (field.tag != ber::kSequence) continue;
        const size_t start = reader.position();
        trace_elements(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                             bytes.begin() + static_cast<std::ptrdiff_t>(start + field.length)),
                       log, indent + 1);
        reader.skip(field.length);
    }
}

bool carries_values(uint8_t type) {
    return type == message_type::kSet || type == message_type::kSetNoReply || type == message_type::kGetResponse;
}

void oid_tlv(const Bytes& tree_form, uint8_t encoding, Bytes& out) {
    if (encoding == stmp::kNemaNibble)
        nema_oid_tlv(tree_form, out);
    else
        standard_oid_tlv(tree_form, out);
}

void identifier_value(const Message_Content& message, Bytes& pdu, Activity_Log& log) {
    const uint8_t type = message.message_type();
    switch (type) {
        case message_type::kGetResponse:
            log.text("Get Response.\n\n");
            break;
        case message_type::kGet:
            log.text("Get Request.\n\n");
            break;
        case message_type::kSet:
            log.text("Set Request.\n\n");
            break;
        case message_type::kSetNoReply:
            log.text("Set No Reply.\n\n");
            break;
        case message_type::kGetNext:
            log.text("Get Next.\n\n");
            break;
        case message_type::kSetResponse:
            log.text("Set Response.\n\n");
            log.indent(2);
            log.text("Set Responses do not contain a PDU Information Field\n");
            return;
        case message_type::kErrorResponse:
            log.text("Error Response.\n\n");
            log.indent(2);
            log.text("Error Response encoding is not implemented yet.\n");
            throw InvalidReferenceException(kErrorResponse);
        case message_type::kTrap:
            log.text("Trap Response.\n\n");
            log.indent(2);
            log.text("TRAPs have not yet been fully defined for STMP.\n");
            throw InvalidReferenceException(kTrap);
        default:
            throw InvalidReferenceException(kInvalidType);
    }
    Bytes objects;
    for (const Object_Entry& entry : message.objects()) {
        Bytes one;
        oid_tlv(tree_form_of(entry), message.object_encoding(), one);
        if (carries_values(type)) {
            append(one, value_tlv(entry));
            make_sequence(one);
        }
        append(objects, one);
    }
    if (message.objects().size() > 1) {
        make_sequence(objects);
        log.text("Multiple objects were encoded.  Their encoding was ");
        log.text("preceded with a SEQUENCE\ncode and length field.\n");
    }
    trace_elements(objects, log, stmp::kValueIndent);
    append(pdu, objects);
}

const Bytes& stored_value(const Object_Entry& entry) {
    static const Bytes kNone;
    if (entry.holder) return entry.value;
    return entry.instance != nullptr && entry.instance->is(kind::kInstance)
               ? static_cast<const Iso_Instance*>(entry.instance)->value
               : kNone;
}

// Each object's value back to back: in its fixed size, or behind a length field.
void dynamic_values(const Object_List& list, Bytes& pdu, Activity_Log& log) {
    for (const Object_Entry& entry : list) {
        const uint32_t size = fixed_size_of(entry.instance);
        const Bytes& value = stored_value(entry);
        Bytes written = size != 0 ? fixed_length_value(entry.instance, value, size) : length_field(value.size());
        if (size == 0) append(written, value);
        log.hex_bytes(stmp::kValueIndent, written, "  : ");
        log.text(size != 0 ? "Fixed Length " : "Variable Length ");
        // The value itself, not the offset from the lower bound that goes on the wire.
        log.describe_field(syntax_tag_of(entry.instance), size != 0 ? written.size() : value.size(), value,
                           stmp::kValueIndent);
        append(pdu, written);
    }
}

// The column's identifier relative to the NEMA node, with the dynamic
// object's number and the row behind it.
Bytes row_identifier(const ISO_Tree& tree, const char* column, uint8_t number, size_t row) {
    const ISO_Object* node = tree.find_by_name(column);
    if (node == nullptr) throw InvalidReferenceException(dynobj_text::kLoadFailed);
    Bytes content = nema_from_tree(tree_form_of(*node));
    append_subidentifier(content, number);
    append_subidentifier(content, static_cast<uint32_t>(row));
    return wrap(ber::kObjectIdentifier, content);
}

// The definition of a dynamic object as the rows of its table: for row i,
// its variable, owner and status.
void definition(const Object_List& list, uint8_t number, const ISO_Tree& tree, Bytes& pdu, Activity_Log& log) {
    Bytes rows;
    for (size_t i = 0; i < list.size(); ++i) {
        const Object_Entry& entry = list[i];
        Bytes variable = row_identifier(tree, dynobj_column::kVariable, number, i + 1);
        Bytes object;
        nema_oid_tlv(tree_form_of(entry), object);
        append(variable, object);
        Bytes owner = row_identifier(tree, dynobj_column::kOwner, number, i + 1);
        append(owner, wrap(ber::kOctetString, Bytes(entry.name.begin(), entry.name.end())));
        Bytes status = row_identifier(tree, dynobj_column::kStatus, number, i + 1);
        append(status, Bytes{ber::kInteger, 0x01, entry.flag});
        for (Bytes* binding : {&variable, &owner, &status}) {
            make_sequence(*binding);
            append(rows, *binding);
        }
    }
    // The definition's length is always written in the long form.
    Bytes whole = rows.size() <= 0xFF ? Bytes{ber::kSequence, 0x81, static_cast<uint8_t>(rows.size())}
                                      : Bytes{ber::kSequence};
    if (rows.size() > 0xFF) append(whole, length_field(rows.size()));
    append(whole, rows);
    trace_elements(whole, log, stmp::kValueIndent);
    append(pdu, whole);
}

void dynamic_object(const Message_Content& message, const Object_List& list, Bytes& pdu, Activity_Log& log,
                    const ISO_Tree& tree) {
    const uint8_t type = message.message_type();
    auto no_pdu = [&](const char* line) {
        log.text(line);
        log.indent(2);
        log.text("There is no PDU Information field in this type of message");
    };
    auto require_definition = [&] {
        if (!list.empty()) return;
        log.indent(2);
        log.text("The dynamic object has not been defined yet.\n");
        throw InvalidReferenceException(kUndefined);
    };
    switch (type) {
        case message_type::kGet:
            return no_pdu("GET REQUEST\n");
        case message_type::kGetNext:
            return no_pdu("GET NEXT\n");
        case message_type::kSetResponse:
            return no_pdu("SET RESPONSE\n");
        case message_type::kSet:
        case message_type::kSetNoReply:
        case message_type::kGetResponse:
            log.text(type == message_type::kSet          ? "DYNAMIC SET REQUEST\n"
                     : type == message_type::kSetNoReply ? "DYNAMIC SET NO REPLY\n"
                                                         : "DYNAMIC GET RESPONSE\n");
            require_definition();
            return dynamic_values(list, pdu, log);
        case message_type::kDynamicDefinition:
            log.text("SET Dynamic Object\n");
            require_definition();
            return definition(list, message.object_encoding(), tree, pdu, log);
        case message_type::kErrorResponse:
            log.text("ERROR RESPONSE\n");
            throw InvalidReferenceException(kDynamicResponse);
        case message_type::kTrap:
            log.text("TRAP RESPONSE\n");
            throw InvalidReferenceException(kDynamicTrap);
        default:
            log.text("Unknown type!!!  Aborting Process.\n");
            throw InvalidReferenceException(kUnknownType);
    }
}

void header_lines(Activity_Log& log, uint8_t header, const std::string& nibble_text) {
    log.hex_byte(1, header, "  : ");
    log.text("Hi order bit set => STMP Format.\n");
    log.indent(2);
    log.text("Lo order nibble set to indicate ");
    log.text(nibble_text);
    log.indent(2);
    log.text("Hi order nibble set to indicate ");
}

}  // namespace

void encode_stmp(const Message_Content& message, STMF_Message& out, Activity_Log& log, const ISO_Tree& tree,
                 const Dynamic_Objects* table) {
    const uint8_t type = message.message_type();
    const uint8_t encoding = message.object_encoding();
    const bool identifiers = encoding == stmp::kNemaNibble || encoding == stmp::kRootNibble;
    if (identifiers && message.object_list_empty()) throw InvalidReferenceException(kEmptyList);
    if (encoding == stmp::kUnusedNibble) throw InvalidReferenceException(kInvalidEncoding);

    Bytes pdu;
    if (identifiers) {
        const uint8_t header = static_cast<uint8_t>(type + encoding);
        pdu.push_back(header);
        header_lines(log, header, encoding == stmp::kNemaNibble ? "OID encoding from NEMA\n" : "OID encoding from ROOT\n");
        identifier_value(message, pdu, log);
    } else {
        const uint8_t header =
            type == message_type::kDynamicDefinition ? message_type::kSet : static_cast<uint8_t>(type + encoding);
        pdu.push_back(header);
        header_lines(log, header, "Dynamic Object Number " + std::to_string(encoding) + "\n");
        if (table == nullptr) throw InvalidReferenceException(kNoTable);
        const Object_List list = table->object_list(encoding, tree);
        dynamic_object(message, list, pdu, log, tree);
    }
    out.store(std::move(pdu));
}
