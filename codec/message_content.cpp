#include "codec/message_content.h"

#include <string_view>

#include "codec/dynamic_objects.h"
#include "codec/stmf_exception.h"
#include "tree/instance_value.h"
#include "tree/iso_tree.h"
#include "tree/oid.h"

uint16_t address_field_value(int32_t address, int32_t group) {
    // The group flag stands as given: 1 for a group, or the 255 of a poll.
    const int32_t g = group;
    if (address >= 0 && address < 64) return static_cast<uint16_t>(address * 4 + g * 2 + 1);
    if (address >= 64 && address < 8192)
        return static_cast<uint16_t>((address / 64) * 512 + (address % 64) * 4 + g * 2 + 1);
    return 0;
}

void Message_Content::set_object_encoding(int value) {
    if (value < 0 || value > object_encoding::kFromRoot)
        throw InvalidReferenceException(message_error::kInvalidEncodingStyle);
    object_encoding_ = static_cast<uint8_t>(value);
}

uint8_t Message_Content::message_type() const {
    if (message_type_ == message_type::kUnset) throw InvalidReferenceException(message_error::kUndefinedType);
    return message_type_;
}

void Message_Content::set_message_type(uint8_t code) {
    switch (code) {
        case message_type::kGet:
        case message_type::kSet:
        case message_type::kSetNoReply:
        case message_type::kGetNext:
        case message_type::kGetResponse:
        case message_type::kSetResponse:
        case message_type::kErrorResponse:
        case message_type::kTrap:
            message_type_ = code;
            return;
        default:
            throw InvalidReferenceException(message_error::kInvalidMessageType);
    }
}

const Object_List& Message_Content::objects() const {
    if (objects_.empty()) throw InvalidReferenceException(message_error::kEmptyList);
    return objects_;
}

void Message_Content::set_objects(Object_List list) {
    if (list.empty()) throw InvalidReferenceException(message_error::kEmptyListPassed);
    objects_ = std::move(list);
}

void Message_Content::take_dynamic_object_list(const Dynamic_Objects& table, uint8_t number, const ISO_Tree& tree) {
    objects_ = table.object_list(number, tree);
    list_kind_ = list_kind::kInstances;
}

void Message_Content::decode_first_byte(uint8_t first) {
    if (first == 0x30) {
        encoding_style_ = style::kSnmp;
    } else if (first < 0x80) {
        encoding_style_ = style::kUnknown;
    } else {
        encoding_style_ = style::kStmp;
        message_type_ = static_cast<uint8_t>(first & 0xF0);
        object_encoding_ = static_cast<uint8_t>(first & 0x0F);
    }
}

namespace {

constexpr std::string_view kUnknownGetNext = "unknowngetnext";

uint8_t style_of(const std::string& protocol) {
    if (protocol == "POLL") return style::kNone;
    if (protocol == "SNMP") return style::kSnmp;
    if (protocol == "STMP") return style::kStmp;
    return style::kUnknown;
}

uint8_t type_of(const Request_Record& request) {
    if (request.get != 0) return message_type::kGet;
    if (request.get_next != 0) return message_type::kGetNext;
    if (request.set != 0) return message_type::kSet;
    if (request.type4 != 0) return message_type::kDynamicDefinition;
    if (request.type5 != 0) return message_type::kFieldResponse;
    return message_type::kGetResponse;
}

bool carries_values(uint8_t type) { return type == message_type::kSet || type == message_type::kSetNoReply; }

// A raw identifier: every byte of the name less one is the tree form.
Bytes tree_form_of_raw(const std::string& name) {
    Bytes tree_form;
    tree_form.reserve(name.size());
    for (char c : name) tree_form.push_back(static_cast<uint8_t>(static_cast<uint8_t>(c) - 1));
    return tree_form;
}

ISO_Object* find_instance(ISO_Tree& tree, const std::string& name) {
    ISO_Object* node = tree.find_by_name(name);
    if (node == nullptr || !node->is(kind::kInstance)) node = tree.find_by_dotted(name);
    return node != nullptr && node->is(kind::kInstance) ? node : nullptr;
}

}  // namespace

void Message_Content::add_request_objects(Request_Record& request, ISO_Tree& tree) {
    bool raw_seen = false;
    for (size_t slot = 0; slot < request.objects.size(); ++slot) {
        const Request_Object& object = request.objects[slot];
        if (!object.name.empty() && object.name.front() == '\x02') {
            objects_.assign(1, Object_Entry::unknown(tree_form_of_raw(object.name)));
            list_kind_ = list_kind::kRawIdentifier;
            raw_seen = true;
            continue;
        }
        if (std::string_view(object.name).substr(0, kUnknownGetNext.size()) == kUnknownGetNext) {
            // The identifier asked about is the second slot's name, in dotted text.
            const auto numbers = request.objects.size() > 1 ? parse_dotted(request.objects[1].name, true)
                                                            : std::nullopt;
            if (!numbers) throw InvalidReferenceException(message_error::kInvalidObject);
            objects_.assign(1, Object_Entry::unknown(encode_subidentifiers(*numbers)));
            list_kind_ = list_kind::kRawIdentifier;
            return;
        }
        ISO_Object* instance = find_instance(tree, object.name);
        if (instance == nullptr) {
            if (raw_seen) continue;
            throw InvalidReferenceException(message_error::kInvalidObject);
        }
        objects_.push_back(Object_Entry::reference(instance));
        if (list_kind_ == list_kind::kNone) list_kind_ = list_kind::kInstances;
        if (carries_values(message_type_))
            set_request_value(static_cast<Iso_Instance&>(*instance), object.value_type, object.value);
    }
}

void Message_Content::set_request_value(Iso_Instance& instance, int value_type, const std::string& text) {
    using namespace message_error;
    std::optional<Bytes> octets = value_octets_from_text(value_type, text);
    if (!octets && text.empty()) return;  // no value given: the instance's own goes
    if (!octets)
        throw InvalidReferenceException(kValueNotEncodable1 + text + kValueNotEncodable2 + instance.name + "!");
    // A tester must be able to send what the device ought to refuse.
    const int stored = set_value_from_text(instance, value_type, text);
    if (stored == set_result::kStored) return;
    if (stored == set_result::kReadOnly)
        warnings_ += kReadOnlyInMib + instance.name + kSentAsGiven;
    else
        warnings_ += kOutsideMib1 + text + kOutsideMib2 + instance.name + kSentAsGiven;
    instance.value = std::move(*octets);
}

void Message_Content::build_from_request(Request_Record& request, const Dynamic_Objects* table, ISO_Tree& tree) {
    *this = Message_Content{};
    if (request.group_address != 0) request.group_address = 1;
    encoding_style_ = style_of(request.protocol);
    if (encoding_style_ == style::kNone) {
        request.address = 255;
        request.group_address = 255;
    }
    class_ = request.class_name == "Class B" ? 2 : 99;
    community_.assign(request.community.begin(), request.community.end());
    request_id_ = request.request_id;
    address_ = address_field_value(request.address, request.group_address);
    message_type_ = type_of(request);
    set_object_encoding(request.dynamic_object == 0 ? object_encoding::kFromRoot : request.dyn_obj_number);

    if (request.dynamic_object == 0) {
        add_request_objects(request, tree);
    } else {
        if (table == nullptr) throw InvalidReferenceException(message_error::kNoDynamicTable);
        take_dynamic_object_list(*table, object_encoding_, tree);
        if (object_list_empty()) throw InvalidReferenceException(message_error::kUndefinedDynamic);
        if (carries_values(message_type_)) {
            for (size_t k = 0; k < objects_.size() && k < request.objects.size(); ++k) {
                ISO_Object* instance = objects_[k].instance;
                if (instance == nullptr || !instance->is(kind::kInstance)) continue;
                set_request_value(static_cast<Iso_Instance&>(*instance), request.objects[k].value_type,
                                  request.objects[k].value);
            }
        }
    }
    edit_flag_ = request.edit_byte_stream;
    send_time_ = 0;
}
