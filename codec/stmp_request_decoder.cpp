#include "codec/stmp_request_decoder.h"

#include <exception>

#include "codec/activity_log.h"
#include "codec/ber.h"
#include "codec/decode_field.h"
#include "codec/dynamic_objects.h"
#include "codec/fixed_length.h"
#include "codec/message_content.h"
#include "codec/oid_forms.h"
#include "codec/snmp_format.h"
#include "codec/stmf_exception.h"
#include "codec/stmp_format.h"
#include "codec/value_tlv.h"
#include "tree/iso_tree.h"

namespace {

using namespace stmp_request_text;
constexpr int kIndent = stmp::kValueIndent;

// Thrown inside the decode when the request's bytes cannot be read.
struct Unreadable {};

void refuse(Field_Answer& answer, Stmp_Error_Status status, uint32_t index) {
    answer.error_status = static_cast<uint8_t>(status);
    answer.error_index = index;
}

Answer_Kind kind_of(uint8_t type) {
    switch (type) {
        case message_type::kGet:
            return Answer_Kind::get;
        case message_type::kGetNext:
            return Answer_Kind::get_next;
        default:
            return Answer_Kind::set;
    }
}

bool carries_values(uint8_t type) { return type == message_type::kSet || type == message_type::kSetNoReply; }

// One object of the identifier-value form: its identifier and, for a Set,
// its value element.
Received_Binding read_object(Byte_Reader& reader, Activity_Log& log, const ISO_Tree& tree, uint8_t nibble,
                             bool with_value, int indent) {
    if (reader.empty() || reader.peek() != ber::kObjectIdentifier) throw Unreadable{};
    const Decoded_Field oid = decode_field(reader, log, indent);
    const Bytes tree_form =
        nibble == stmp::kNemaNibble ? tree_from_nema(oid.content) : tree_from_standard(oid.content).value_or(Bytes{});
    Received_Binding binding;
    binding.node = tree_form.empty() ? nullptr : tree.find_by_oid(tree_form);
    if (with_value) {
        if (reader.empty()) throw Unreadable{};
        const Decoded_Field value = decode_field(reader, log, indent);
        binding.value_tag = value.tag;
        binding.value = value.content;
    }
    return binding;
}

void identifier_value(Byte_Reader& reader, Field_Answer& answer, Activity_Log& log, const ISO_Tree& tree,
                      uint8_t type, uint8_t nibble) {
    const bool with_value = carries_values(type);
    if (reader.empty()) throw Unreadable{};
    if (!with_value && reader.peek() == ber::kObjectIdentifier) {
        // A single object of a Get stands alone.
        answer.bindings.push_back(read_object(reader, log, tree, nibble, false, kIndent));
    } else {
        if (reader.peek() != ber::kSequence) throw Unreadable{};
        decode_field(reader, log, kIndent);
        if (with_value && !reader.empty() && reader.peek() == ber::kObjectIdentifier) {
            // A Set of one object: the SEQUENCE just read was its binding.
            answer.bindings.push_back(read_object(reader, log, tree, nibble, true, kIndent + 1));
        } else {
            if (reader.empty()) throw Unreadable{};
            while (!reader.empty()) {
                if (with_value) {
                    if (reader.peek() != ber::kSequence) throw Unreadable{};
                    decode_field(reader, log, kIndent + 1);
                }
                answer.bindings.push_back(read_object(reader, log, tree, nibble, with_value, kIndent + 2));
            }
        }
    }
    if (!reader.empty()) throw Unreadable{};
}

// The values of a dynamic Set, one per row of the definition, back to back.
void dynamic_values(Byte_Reader& reader, Field_Answer& answer, Activity_Log& log, const Object_List& definition) {
    for (const Object_Entry& row : definition) {
        Received_Binding binding;
        binding.node = row.instance;
        binding.value_tag = syntax_tag_of(row.instance);
        const uint32_t fixed = fixed_size_of(row.instance);
        size_t length = fixed;
        if (fixed == 0) {
            if (reader.empty()) throw Unreadable{};
            log.hex_byte(kIndent, reader.peek());
            if (!decode_length(reader, length)) throw Unreadable{};
        } else {
            log.indent(kIndent);
        }
        if (reader.remaining() < length) throw Unreadable{};
        const Bytes written = reader.take(length);
        log.hex_bytes(0, written, "  : ");
        log.text(fixed != 0 ? "Fixed Length " : "Variable Length ");
        log.describe_field(binding.value_tag, written.size(), written, kIndent);
        binding.value = fixed != 0 ? value_from_fixed_length(row.instance, written) : written;
        answer.bindings.push_back(std::move(binding));
    }
    if (!reader.empty()) throw Unreadable{};
}

void dynamic_object(Byte_Reader& reader, Field_Answer& answer, Activity_Log& log, const ISO_Tree& tree,
                    const Dynamic_Objects* table, uint8_t type, uint8_t number) {
    if (type == message_type::kGetNext) {
        log.text(kDynamicGetNext);
        return refuse(answer, Stmp_Error_Status::genErr, 0);
    }
    Object_List definition;
    try {
        if (table != nullptr) definition = table->object_list(number, tree);
    } catch (const STMF_Exception&) {
        definition.clear();
    }
    if (definition.empty()) {
        log.text(kUndefined);
        return refuse(answer, Stmp_Error_Status::noSuchName, 0);
    }
    if (carries_values(type)) {
        dynamic_values(reader, answer, log, definition);
    } else {
        if (!reader.empty()) throw Unreadable{};
        for (const Object_Entry& row : definition) {
            Received_Binding binding;
            binding.node = row.instance;
            answer.bindings.push_back(std::move(binding));
        }
    }
}

}  // namespace

Field_Answer decode_stmp_request(const Bytes& pdu, Message_Content& received, Activity_Log& log, ISO_Tree& tree,
                                 const Dynamic_Objects* table) {
    Byte_Reader reader(pdu);
    reader.skip(1);
    const uint8_t type = received.raw_message_type();
    const uint8_t nibble = received.object_encoding();
    log.text("Hi order bit set => STMP Format.\n");
    log.indent(kIndent);
    log.text("Hi order nibble indicates: ");
    log.text(type == message_type::kGet       ? "Get Request.\n"
             : type == message_type::kSet     ? "Set Request.\n"
             : type == message_type::kGetNext ? "Get Next.\n"
                                              : "Set No Reply.\n");
    log.low_nibble_line(nibble, kIndent);

    Field_Answer answer;
    answer.kind = kind_of(type);
    answer.stmp = true;
    answer.stmp_nibble = nibble;
    answer.no_reply = type == message_type::kSetNoReply;
    answer.record.protocol = "STMP";
    answer.record.class_name = "Class B";
    try {
        if (nibble == stmp::kNemaNibble || nibble == stmp::kRootNibble)
            identifier_value(reader, answer, log, tree, type, nibble);
        else if (nibble == stmp::kUnusedNibble)
            throw Unreadable{};
        else
            dynamic_object(reader, answer, log, tree, table, type, nibble);
    } catch (const Unreadable&) {
        log.text("\n");
        log.indent(kIndent);
        log.text(kMalformed);
        answer.bindings.clear();
        refuse(answer, Stmp_Error_Status::genErr, 0);
    } catch (const std::exception&) {
        log.text("\n");
        log.indent(kIndent);
        log.text(kMalformed);
        answer.bindings.clear();
        refuse(answer, Stmp_Error_Status::genErr, 0);
    }
    Object_List& asked = received.mutable_objects();
    for (const Received_Binding& binding : answer.bindings) asked.push_back(Object_Entry::reference(binding.node));
    received.set_list_kind(list_kind::kDecoded);
    return answer;
}
