#include "codec/validation.h"

#include <algorithm>

#include "codec/activity_log.h"
#include "codec/error_state.h"
#include "codec/message_content.h"
#include "codec/oid_forms.h"
#include "codec/stmf_exception.h"
#include "codec/value_tlv.h"
#include "tree/instance_value.h"
#include "tree/iso_tree.h"

namespace {

using namespace validation_text;

ISO_Object* instance_named(ISO_Tree& tree, const Object_Entry& holder) {
    if (!holder.name.empty()) {
        ISO_Object* node = tree.find_by_name(holder.name);
        if (node != nullptr && node->is(kind::kInstance)) return node;
    }
    ISO_Object* node = tree.find_by_oid(tree_form_of(holder));
    return node != nullptr && node->is(kind::kInstance) ? node : nullptr;
}

// The same node is the same object; else their identifiers decide (an
// object the tree does not know, or a sibling that shares a number).
bool same_object(const Object_Entry& asked, const Object_Entry& answered) {
    if (asked.instance != nullptr && asked.instance == answered.instance) return true;
    return tree_form_of(asked) == tree_form_of(answered);
}

template <typename Record>
[[noreturn]] void object_mismatch(Activity_Log& log, Record& record) {
    log.text("The objects in the response do not match to the ");
    log.text("objects in the request.\nValidation failed.  Values ");
    log.text("will not be updated in memory.\n");
    record(Error_Class::Object, ObjectMismatch);
    throw DecodingException(kObjectMismatch);
}

auto recorder(Error_State_List* errors, int32_t id) {
    return [errors, id](Error_Class error_class, uint32_t bit) {
        if (errors != nullptr) errors->record_flag(id, error_class, bit);
    };
}

}  // namespace

void check_response_kind(const Message_Content& response, const Message_Content& request, Activity_Log& log,
                         Error_State_List* errors) {
    auto record = recorder(errors, request.request_id());
    if (response.encoding_style() != request.encoding_style()) {
        // The answer of another protocol cannot be told to answer this request.
        log.text("PROTOCOL ERROR!! -- The response message was not in the ");
        log.text("same format (i.e., SNMP vs STMP) as the Request.\n");
        log.text("Values will not be updated in memory.\n");
        record(Error_Class::Message, ProtocolMismatch);
        throw DecodingException(kProtocolMismatch);
    }
    const uint8_t request_type = request.raw_message_type();
    if (response.encoding_style() == style::kStmp && request_type != message_type::kGet &&
        request_type != message_type::kGetNext) {
        log.text("A Get Response was received, but the previous ");
        log.text("request was not a Get\nRequest!  The Response could not ");
        log.text("be reconciled and the associated values\nwill not be ");
        log.text("updated in memory.\n");
        record(Error_Class::Message, InvalidResponse);
        throw DecodingException(kInvalidResponse);
    }
}

void check_dynamic_response(const Message_Content& response, const Message_Content& request, Activity_Log& log,
                            Error_State_List* errors) {
    check_response_kind(response, request, log, errors);
    auto record = recorder(errors, request.request_id());
    if (response.object_encoding() != request.object_encoding()) object_mismatch(log, record);
}

void check_set_response(const Message_Content& response, const Message_Content& request, Error_State_List* errors) {
    auto record = recorder(errors, request.request_id());
    if (response.encoding_style() != request.encoding_style()) record(Error_Class::Message, ProtocolMismatch);
    const uint8_t type = request.raw_message_type();
    if (type != message_type::kSet && type != message_type::kDynamicDefinition)
        record(Error_Class::Message, InvalidResponse);
}

int store_into_instance(Iso_Instance& instance, uint8_t value_syntax, const Bytes& value, Activity_Log& log) {
    if (syntax_tag_of(&instance) != value_syntax) {
        log.text("Warning!  The Syntax did not agree with the data from the MIB!, aborting SET\n");
        return set_result::kBadValue;
    }
    instance.value = value;
    return set_result::kStored;
}

void validate_and_store(const Message_Content& response, const Message_Content& request, Activity_Log& log,
                        Error_State_List* errors, uint32_t blocking_flag, ISO_Tree& tree) {
    const int32_t id = request.request_id();
    auto record = [&](Error_Class error_class, uint32_t bit) {
        if (errors != nullptr) errors->record_flag(id, error_class, bit);
    };

    log.text("Now starting Get Response validation with previous request.\n");
    const uint32_t error_word =
        errors != nullptr ? static_cast<uint32_t>(errors->error_word(id)) : 0;
    const uint32_t blocking = blocking_flag & error_word;

    check_response_kind(response, request, log, errors);
    const uint8_t request_type = request.message_type();
    const bool get_next = request_type == message_type::kGetNext;

    // Every object asked for is answered, and nothing else: an error answer
    // (blocking) may leave its bindings out.
    const Object_List& asked = request.entries();
    const Object_List& answered = response.entries();
    if (blocking_flag == 0 && asked.size() != answered.size()) object_mismatch(log, record);
    const size_t pairs = std::min(asked.size(), answered.size());
    for (size_t i = 0; i < pairs; ++i) {
        if (!asked[i].has_object() || !answered[i].has_object()) {
            record(Error_Class::Object, NoInstance);
            throw InvalidReferenceException(kProgramError);
        }
        if (!get_next && !same_object(asked[i], answered[i])) object_mismatch(log, record);
    }

    if (blocking != 0) {
        log.text("\nError: ");
        log.text(std::to_string(blocking));
        log.text(" Errors detected, not updating values\n");
        return;
    }
    if (!get_next) {
        log.text("The response is appropriate for the request.\n");
        log.text("Now storing the new values in memory...\n");
    }

    // The error state keeps the value text of the last object only, so only
    // that one is rendered.
    const Iso_Instance* last_stored = nullptr;
    for (size_t i = 0; i < pairs; ++i) {
        const Object_Entry& holder = answered[i];
        if (get_next) {
            if (errors != nullptr && i + 1 == pairs)
                errors->record_response_value(id, dotted_from_tree(tree_form_of(holder)));
            ISO_Object* next = instance_named(tree, holder);
            if (next == nullptr) {
                log.text("Error finding instance in tree, not setting value\n");
                continue;
            }
            store_into_instance(static_cast<Iso_Instance&>(*next), holder.syntax, holder.value, log);
            continue;
        }
        ISO_Object* target = asked[i].instance;
        const uint8_t target_syntax = target != nullptr ? syntax_tag_of(target) : asked[i].syntax;
        if (holder.syntax != target_syntax || target == nullptr || !target->is(kind::kInstance)) {
            log.text("Inconsistent Syntaxes.  Not updating the value for\n");
            log.text(target != nullptr ? target->name : asked[i].name);
            log.text("\n");
            continue;
        }
        auto& instance = static_cast<Iso_Instance&>(*target);
        instance.value = holder.value;
        last_stored = &instance;
    }
    // The value as the station shows it, not its raw octets.
    if (errors != nullptr && last_stored != nullptr) errors->record_response_value(id, render_value(*last_stored).text);
    log.text("Values have been updated.\n");
}

void stmp_header_check(Activity_Log& log, uint8_t request_type, uint8_t request_nibble, uint8_t response_type,
                       uint8_t response_nibble, int indent) {
    log.indent(indent);
    const bool nibbles_agree = request_nibble == response_nibble ||
                               (request_nibble == 0 && response_nibble == 14) ||
                               (request_nibble == 14 && response_nibble == 0);
    if (!nibbles_agree) {
        log.text("Message Validation Error:  Dynamic Object Number of response is \n");
        log.indent(indent + 1);
        log.text("different from the request!\n\n");
    }
    switch (response_type) {
        case message_type::kGetResponse:
            if (request_type == message_type::kGet) {
                log.text("GET RESPONSE Message is valid for the previous GET REQUEST.\n");
            } else {
                log.text("Message Validation Error:  A GET RESPONSE was received, but the last\n");
                log.indent(indent + 1);
                log.text("request was not a GET REQUEST!\n\n");
            }
            log.indent(indent);
            break;
        case message_type::kSetResponse:
            if (request_type == message_type::kSet) {
                log.text("SET RESPONSE Message is valid for the previous SET REQUEST.\n");
            } else {
                log.text("Message Validation Error:  A SET RESPONSE was received, but the last\n");
                log.indent(indent + 1);
                log.text("request was not a SET REQUEST!\n\n");
            }
            log.indent(indent);
            break;
        case message_type::kErrorResponse:
            if (request_type == message_type::kSetNoReply)
                log.text("Protocol Error!  An Invalid Error Response was received to a SET NO REPLY!\n\n");
            else
                log.text("An ERROR RESPONSE was received to the last request.\n");
            log.indent(indent);
            break;
        default:
            if (response_type == message_type::kTrap) log.text("Protocol Error! TRAPS are not yet defined!\n\n");
            log.text("Protocol Error! undefined Response type!\n\n");
            break;
    }
    log.text("Message type and style are valid for the request.\n\n");
}
