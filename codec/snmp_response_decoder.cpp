#include "codec/snmp_response_decoder.h"

#include <algorithm>

#include "codec/activity_log.h"
#include "codec/error_state.h"
#include "codec/message_content.h"
#include "codec/snmp_decoder_text.h"
#include "codec/snmp_format.h"
#include "codec/snmp_wire.h"
#include "codec/stmf_exception.h"
#include "codec/validation.h"
#include "codec/value_tlv.h"
#include "tree/iso_tree.h"

namespace {

using namespace snmp_text;
namespace indent = snmp_indent;

const char* status_meaning(uint32_t status) {
    switch (static_cast<Snmp_Error_Status>(status)) {
        case Snmp_Error_Status::noError:
            return "No error was reported by the device.\n";
        case Snmp_Error_Status::tooBig:
            return "The device indicated that the response was too large to send!\n";
        case Snmp_Error_Status::noSuchName:
            return "The device indicated that the indicated object does not exist!\n";
        case Snmp_Error_Status::badValue:
            return "The device indicated that an attempt was made to set an object to an invalid value!\n";
        case Snmp_Error_Status::readOnly:
            return "The device indicated that an attempt was made to set a read-only object!\n";
        case Snmp_Error_Status::genErr:
            return "The device indicated a general error with the request!\n";
        default:
            return "ERROR!  The device reported an invalid error condition!\n";
    }
}

uint8_t type_of_pdu(uint8_t tag, Activity_Log& log) {
    switch (tag) {
        case snmp::kGetRequest:
            log.text("SNMP Get Request\n");
            return message_type::kGet;
        case snmp::kGetNextRequest:
            log.text("SNMP Get-Next Request\n");
            return message_type::kGetNext;
        case snmp::kGetResponse:
            log.text("SNMP Get Response\n");
            return message_type::kGetResponse;
        case snmp::kSetRequest:
            log.text("SNMP Set Request\n");
            return message_type::kSet;
        case snmp::kTrap:
            log.text("SNMP Trap -- not implemented yet!\n");
            throw InvalidReferenceException(kTrap);
        default:
            throw InvalidReferenceException(kInvalidType);
    }
}

void decode_binding(Byte_Reader& reader, Activity_Log& log, Standard_Oid_Finder& finder, bool get_response,
                    ISO_Object* expected, Object_Entry& holder) {
    if (reader.empty() || reader.peek() != ber::kSequence) throw DecodingException(kSequenceExpected);
    read_field(reader, log, indent::kBinding);
    Binding_Object object = decode_binding_object(reader, log, finder, expected);
    holder.holder = true;
    if (object.node != nullptr) {
        holder.instance = object.node;
        holder.name = object.node->name;
        const Field_View value = read_field(reader, log, indent::kObject);
        holder.value.assign(value.content.begin(), value.content.end());
        holder.syntax = value.tag;
        if (value.tag == syntax_tag_of(object.node)) return;
        if (value.tag == ber::kNull) {
            log.text("The Value was not encoded in the message.\nThis format is only valid for Get and Get-Next Requests!\n");
        } else {
            log.text(kSyntaxDisagrees1);
            log.text(kSyntaxDisagrees2);
        }
        return;
    }
    log.text(kNotFound);
    if (get_response) {
        holder.identifier = std::move(object.tree_form);
        log.text("This could be a GET_NEXT response however;will consider this is an unknown OID.  Continuing\n");
        const Field_View value = read_field(reader, log, indent::kObject);
        holder.value.assign(value.content.begin(), value.content.end());
        holder.syntax = value.tag;
        return;
    }
    holder.name = kObjectError;
    holder.name.append(object.tree_form.begin(), object.tree_form.end());
}

}  // namespace

void decode_snmp_response(const Bytes& pdu, Message_Content& received, const Message_Content& request,
                          Activity_Log& log, Error_State_List* errors, ISO_Tree& tree) {
    Byte_Reader reader(pdu);
    if (reader.empty() || reader.peek() != ber::kSequence) {
        log.text(kNoSequence);
        log.unreconciled_line();
        throw DecodingException(kInvalidSequence);
    }
    log.text("An SNMP PDU\n");
    read_field(reader, log, indent::kMessage);

    expect_tag(reader, log, ber::kInteger, kNoVersion);
    log.text("SNMP version number\n");
    const Field_View version = read_field(reader, log, indent::kPart);
    if (version.content.size() != 1 || version.content[0] != snmp::kVersion1) {
        log.text(kBadVersion);
        throw DecodingException(kInvalidVersion);
    }

    expect_tag(reader, log, ber::kOctetString, kNoCommunity);
    log.text("SNMP Community Name\n");
    const Field_View community = read_field(reader, log, indent::kPart);
    if (!std::equal(community.content.begin(), community.content.end(), request.community().begin(),
                    request.community().end())) {
        log.text(kBadCommunity);
        log.text(kProtocolErrorMaybe);
    }
    received.set_community(Bytes(community.content.begin(), community.content.end()));

    const uint8_t tag = reader.empty() ? 0 : reader.peek();
    received.set_message_type(type_of_pdu(tag, log));
    read_field(reader, log, indent::kPart, /*as_sequence=*/true);

    expect_tag(reader, log, ber::kInteger, kNoRequestId);
    log.text("SNMP Request ID:\n");
    const Field_View id = read_field(reader, log, indent::kPduPart);
    if (!request_id_matches(id.content, request.request_id())) {
        log.text("Apparent Error!  Request ID on Response was different from the last Request!\n");
        log.text("Attempting to continue!\n");
    }
    received.set_request_id(request.request_id());

    expect_tag(reader, log, ber::kInteger, kNoErrorStatus);
    log.text("SNMP Error Status:\n");
    const uint32_t status = decode_unsigned_octets(read_field(reader, log, indent::kPduPart).content);
    log.text(status_meaning(status));

    expect_tag(reader, log, ber::kInteger, kNoErrorIndex);
    log.text("SNMP Error Index:\n");
    const uint32_t index = decode_unsigned_octets(read_field(reader, log, indent::kPduPart).content);
    if (errors != nullptr)
        errors->record_status(request.request_id(), static_cast<int32_t>(status), static_cast<int32_t>(index));
    log.text("Variable binding of objects:\n");

    if (reader.empty()) {
        log.text("End of PDU\n");
        // An error answer may leave its bindings out; a success must answer
        // every object asked for.
        if (status != code_of(Snmp_Error_Status::noError)) return;
        validate_and_store(received, request, log, errors, 0, tree);
        return;
    }
    if (reader.peek() != ber::kSequence) {
        log.text(kUnexpectedType1);
        log.text(kUnexpectedType2);
        log.text(kUnexpectedType3);
        throw DecodingException(kInvalidSequence);
    }
    read_field(reader, log, indent::kPduPart);
    received.set_list_kind(list_kind::kDecoded);
    const bool get_response = tag == snmp::kGetResponse;
    received.mutable_objects().reserve(element_count(reader));
    Standard_Oid_Finder finder(tree);
    const Object_List& asked = request.entries();
    while (!reader.empty()) {
        const size_t place = received.mutable_objects().size();
        ISO_Object* expected = place < asked.size() ? asked[place].instance : nullptr;
        received.mutable_objects().emplace_back();
        decode_binding(reader, log, finder, get_response, expected, received.mutable_objects().back());
    }
    received.set_object_encoding(object_encoding::kFromRoot);
    validate_and_store(received, request, log, errors, status != code_of(Snmp_Error_Status::noError) ? 1 : 0, tree);
}
