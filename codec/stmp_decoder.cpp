#include "codec/stmp_decoder.h"

#include <string>

#include "codec/activity_log.h"
#include "codec/ber.h"
#include "codec/decode_field.h"
#include "codec/dynamic_objects.h"
#include "codec/error_state.h"
#include "codec/fixed_length.h"
#include "codec/message_content.h"
#include "codec/oid_forms.h"
#include "codec/snmp_decoder_text.h"
#include "codec/stmf_exception.h"
#include "codec/stmp_format.h"
#include "codec/validation.h"
#include "codec/value_tlv.h"
#include "tree/iso_tree.h"

namespace {

using namespace stmp_decoder_text;
constexpr int kIndent = stmp::kValueIndent;

// One object of the identifier-value form.
void decode_object(Byte_Reader& reader, Activity_Log& log, const ISO_Tree& tree, uint8_t nibble, int indent,
                   Object_Entry& holder) {
    if (reader.empty() || reader.peek() != ber::kObjectIdentifier) {
        log.text(snmp_text::kNoOid);
        log.text(snmp_text::kAsIfOid);
    }
    const Decoded_Field oid = decode_field(reader, log, indent);
    Bytes tree_form;
    if (nibble == stmp::kNemaNibble) {
        tree_form = tree_from_nema(oid.content);
    } else if (nibble == stmp::kRootNibble) {
        tree_form = tree_from_standard(oid.content).value_or(Bytes{});
    } else {
        throw InvalidReferenceException(kInvalidStyle);
    }
    holder.holder = true;
    ISO_Object* node = tree_form.empty() ? nullptr : tree.find_by_oid(tree_form);
    if (node == nullptr) {
        log.text(snmp_text::kNotFound);
        holder.name = snmp_text::kObjectError;
        holder.name.append(tree_form.begin(), tree_form.end());
        return;
    }
    holder.instance = node;
    holder.name = node->name;
    const Decoded_Field value = decode_field(reader, log, indent);
    holder.value = value.content;
    holder.syntax = value.tag;
    if (value.tag != syntax_tag_of(node)) {
        log.text(snmp_text::kSyntaxDisagrees1);
        log.text(snmp_text::kSyntaxDisagrees2);
    }
}

void identifier_value_response(Byte_Reader& reader, Message_Content& received, const Message_Content& request,
                               Activity_Log& log, ISO_Tree& tree, Error_State_List* errors) {
    if (reader.empty() || reader.peek() != ber::kSequence) {
        log.text("Protocol Error!  A SEQUENCE or SEQUENCE OF was expected\n");
        log.unreconciled_line();
        throw DecodingException(kInvalidSequence);
    }
    decode_field(reader, log, kIndent);
    received.set_list_kind(list_kind::kDecoded);
    Object_List& list = received.mutable_objects();
    const uint8_t nibble = received.object_encoding();
    if (!reader.empty() && reader.peek() == ber::kObjectIdentifier) {
        list.emplace_back();
        decode_object(reader, log, tree, nibble, kIndent + 1, list.back());
        if (!reader.empty()) {
            log.text("Extra bytes were detected in the message ");
            log.text("and are being ignored.\n");
        }
    } else if (!reader.empty() && reader.peek() == ber::kSequence) {
        while (!reader.empty()) {
            if (reader.peek() != ber::kSequence) throw DecodingException(kSequenceExpected);
            decode_field(reader, log, kIndent + 1);
            list.emplace_back();
            decode_object(reader, log, tree, nibble, kIndent + 2, list.back());
        }
    } else {
        log.text(snmp_text::kUnexpectedType1);
        log.text(snmp_text::kUnexpectedType2);
        log.text(snmp_text::kUnexpectedType3);
        throw DecodingException(kInvalidSequence);
    }
    validate_and_store(received, request, log, errors, 0, tree);
}

void dynamic_response(Byte_Reader& reader, Message_Content& received, const Message_Content& request,
                      Activity_Log& log, ISO_Tree& tree, const Dynamic_Objects* table, Error_State_List* errors) {
    // Only an answer to this very dynamic object's Get may change the tree.
    check_dynamic_response(received, request, log, errors);
    const uint8_t number = received.object_encoding();
    if (table == nullptr) throw InvalidReferenceException(kUndefined);
    const Object_List definition = table->object_list(number, tree);
    if (definition.empty()) throw InvalidReferenceException(kUndefined);

    Object_List& holders = received.mutable_objects();
    for (const Object_Entry& object : definition) {
        Object_Entry holder = object;
        holder.holder = true;
        holder.syntax = syntax_tag_of(object.instance);
        holders.push_back(std::move(holder));
    }
    received.set_list_kind(list_kind::kDecoded);

    for (Object_Entry& holder : holders) {
        const uint32_t fixed = fixed_size_of(holder.instance);
        size_t length = fixed;
        if (fixed == 0) {
            if (!reader.empty()) log.hex_byte(kIndent, reader.peek());
            bool known = false;
            try {
                known = decode_length(reader, length);
            } catch (const DecodingException&) {
                known = false;
            }
            if (!known) {
                log.text("Unexpected End of Message!\n");
                throw DecodingException(kUnexpectedEnd);
            }
        } else {
            log.indent(kIndent);
        }
        if (reader.remaining() < length) {
            log.text("Unexpected End of Message!\n");
            throw DecodingException(kUnexpectedEnd);
        }
        holder.value = reader.take(length);
        log.hex_bytes(0, holder.value, "  : ");
        log.text(fixed != 0 ? "Fixed Length " : "Variable Length ");
        // The trace tells the value, not the offset a fixed length sends.
        if (fixed != 0) holder.value = value_from_fixed_length(holder.instance, holder.value);
        log.describe_field(holder.syntax, length, holder.value, kIndent);
    }
    if (!reader.empty()) log.text("Extra Bytes detected at end of Message.\n");

    for (Object_Entry& holder : holders) {
        if (holder.instance == nullptr || !holder.instance->is(kind::kInstance)) continue;
        store_into_instance(static_cast<Iso_Instance&>(*holder.instance), holder.syntax, holder.value, log);
    }
}

// "the <name> object.\n" for the request's object at a position from 1.
void object_reference(Activity_Log& log, const Message_Content* request, uint32_t index) {
    const Object_List* list = request != nullptr ? &request->entries() : nullptr;
    if (list == nullptr || index == 0 || index > list->size()) {
        log.text("an INVALID REFERENCE!!\n");
        return;
    }
    const Object_Entry& entry = (*list)[index - 1];
    log.text("the " + (entry.instance != nullptr ? entry.instance->name : entry.name) + " object.\n");
}

Stmp_Error error_response(Byte_Reader& reader, const Message_Content* request, Activity_Log& log) {
    if (reader.remaining() < 2) {
        log.text("The STMP Error Response is not valid; it is missing bytes.\n");
        throw InvalidReferenceException(kInvalidError);
    }
    Stmp_Error error;
    error.status = reader.take_byte();
    const uint8_t index_byte = reader.peek();
    size_t index = 0;
    if (!decode_length(reader, index)) {
        log.text("The STMP Error Response is not valid; it is missing bytes.\n");
        throw InvalidReferenceException(kInvalidError);
    }
    error.index = static_cast<uint32_t>(index);
    const int k = kIndent;

    log.hex_byte(k, error.status, "  : ");
    auto problem_object = [&] {
        log.hex_byte(k, index_byte, "  : ");
        log.text("The problem object was number " + std::to_string(error.index) + " in the sequence.  According to the\n");
        log.indent(k + 1);
        log.text("Request, this object is ");
        object_reference(log, request, error.index);
    };
    auto set_problem = [&] {
        log.hex_byte(k, index_byte, "  : ");
        log.text("The problem object was number " + std::to_string(error.index) + " in the sequence.");
        if (request != nullptr && request->raw_message_type() == message_type::kSet) {
            log.text("  According to the\n");
            log.indent(k + 1);
            log.text("Request, this object is ");
            object_reference(log, request, error.index);
        } else {
            log.text("\n");
            log.indent(k);
            log.text("Protocol Error! This is an invalid response to the last sent message\n");
        }
    };
    switch (static_cast<Stmp_Error_Status>(error.status)) {
        case Stmp_Error_Status::tooBig:
            log.text("TOO BIG Error - The Request PDU was larger than Expected.\n");
            log.hex_byte(k, index_byte, "  : ");
            log.text("A zero index should be given; the given index = " + std::to_string(error.index));
            if (error.index != 0) {
                log.text("\n");
                log.indent(k);
                log.text("Protocol Error! The Response contained an invalid index.");
            }
            break;
        case Stmp_Error_Status::noSuchName:
            log.text("NO SUCH NAME Error - The Request PDU contained an object ");
            log.text("which is not\n");
            log.indent(k + 1);
            log.text("supported by the device!\n");
            problem_object();
            break;
        case Stmp_Error_Status::badValue:
            log.text("BAD VALUE Error - The Request PDU attempted to SET an object to a\n");
            log.indent(k + 1);
            log.text("value which is not supported by the device.\n");
            set_problem();
            break;
        case Stmp_Error_Status::readOnly:
            log.text("READ ONLY Error - The Request PDU attempted to SET an object which\n");
            log.indent(k + 1);
            log.text("has the ACCESS read-only.\n");
            set_problem();
            break;
        case Stmp_Error_Status::genErr:
            log.text("GEN ERR - The Request PDU contained an object which caused a general\n");
            log.indent(k + 1);
            log.text("device error.\n");
            problem_object();
            break;
        default:
            log.text("Protocol ERROR - The Response indicated an STMP Error Response, but\n");
            log.indent(k + 1);
            log.text("the returned Error Number is undefined.\n");
            problem_object();
            break;
    }
    log.text("\n\n");
    return error;
}

void header_check(Activity_Log& log, const Message_Content* request, const Message_Content& received) {
    if (request == nullptr) return;
    stmp_header_check(log, request->raw_message_type(), request->object_encoding(), received.raw_message_type(),
                      received.object_encoding(), kIndent);
}

}  // namespace

Stmp_Error decode_stmp(const Bytes& pdu, Message_Content& received, const Message_Content* request,
                       Activity_Log& log, ISO_Tree& tree, const Dynamic_Objects* table, Error_State_List* errors) {
    Byte_Reader reader(pdu);
    reader.skip(1);
    log.text("Hi order bit set => STMP Format.\n");
    log.indent(kIndent);
    log.text("Hi order nibble indicates: ");
    const uint8_t type = received.raw_message_type();
    const uint8_t nibble = received.object_encoding();
    switch (type) {
        case message_type::kGet:
        case message_type::kSet:
        case message_type::kSetNoReply:
        case message_type::kGetNext: {
            const bool asks = type == message_type::kGet || type == message_type::kGetNext;
            log.text(type == message_type::kGet       ? "Get Request.\n"
                     : type == message_type::kSet     ? "Set Request.\n"
                     : type == message_type::kGetNext ? "Get Next.\n"
                                                      : "Set No Reply.\n");
            log.indent(kIndent);
            log.text(asks ? "Protocol Error!  A device should not request data from central!\n"
                          : "Protocol Error!  A device should not attempt to set data at central!\n");
            log.text("Decoding of this type is not yet supported.\n");
            return {};
        }
        case message_type::kGetResponse:
            log.text("Get Response.\n");
            log.low_nibble_line(nibble, kIndent);
            header_check(log, request, received);
            if (request == nullptr || nibble == stmp::kUnusedNibble) return {};
            if (nibble >= 1 && nibble <= 13)
                dynamic_response(reader, received, *request, log, tree, table, errors);
            else
                identifier_value_response(reader, received, *request, log, tree, errors);
            return {};
        case message_type::kSetResponse:
            log.text("Set Response.\n");
            log.low_nibble_line(nibble, kIndent);
            header_check(log, request, received);
            log.indent(kIndent);
            log.text("Set Responses do not contain a PDU Information Field\n");
            if (!reader.empty()) log.text("Protocol Error!  An Invalid PDU Information field was attached.\n");
            if (request != nullptr) check_set_response(received, *request, errors);
            return {};
        case message_type::kErrorResponse:
            log.text("Error Response.\n");
            log.low_nibble_line(nibble, kIndent);
            header_check(log, request, received);
            if (request != nullptr && errors != nullptr && request->encoding_style() != style::kStmp)
                errors->record_flag(request->request_id(), Error_Class::Message, ProtocolMismatch);
            return error_response(reader, request, log);
        case message_type::kTrap:
            log.text("Trap Response.\n");
            log.low_nibble_line(nibble, kIndent);
            log.text("\n");
            log.indent(kIndent);
            log.text("TRAPs have not yet been fully defined for STMP.\n");
            return {};
        default:
            log.text("UNKNOWN TYPE! Protocol Error!\n");
            log.low_nibble_line(nibble, kIndent);
            log.text("\n");
            log.indent(kIndent);
            log.unreconciled_line();
            return {};
    }
}
