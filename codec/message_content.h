// One NTCIP message independent of its bytes: protocol, kind of message, how
// its identifiers are encoded, community, request id and the objects it
// carries. Requests are built from a caller's request record; received
// messages are filled by the decoders.
#pragma once

#include <cstdint>
#include <string>

#include "base/bytes.h"
#include "codec/object_list.h"
#include "codec/request_record.h"

class Dynamic_Objects;
class ISO_Tree;
class Iso_Instance;

namespace style {
inline constexpr uint8_t kNone = 0;  // "POLL"
inline constexpr uint8_t kSnmp = 3;
inline constexpr uint8_t kStmp = 8;
inline constexpr uint8_t kUnknown = 17;
}  // namespace style

namespace message_type {
inline constexpr uint8_t kUnset = 0;
inline constexpr uint8_t kGet = 0x80;
inline constexpr uint8_t kSet = 0x90;
inline constexpr uint8_t kDynamicDefinition = 0x91;  // sent as an STMP Set, header 0x90
inline constexpr uint8_t kSetNoReply = 0xA0;
inline constexpr uint8_t kGetNext = 0xB0;
inline constexpr uint8_t kGetResponse = 0xC0;
inline constexpr uint8_t kSetResponse = 0xD0;
inline constexpr uint8_t kErrorResponse = 0xE0;
inline constexpr uint8_t kTrap = 0xF0;
inline constexpr uint8_t kFieldResponse = 0x70;  // the field role's answer: an SNMP Get response
}  // namespace message_type

namespace object_encoding {
inline constexpr uint8_t kFromNema = 0;
inline constexpr uint8_t kFromRoot = 14;
}  // namespace object_encoding

namespace list_kind {
inline constexpr int32_t kNone = 0;
inline constexpr int32_t kDecoded = 1;
inline constexpr int32_t kInstances = 2;
inline constexpr int32_t kRawIdentifier = 3;
}  // namespace list_kind

namespace message_error {
inline constexpr const char* kInvalidEncodingStyle = "An invalid Encoding Style was requested!";
inline constexpr const char* kInvalidMessageType = "An Invalid Message Type was requested!";
inline constexpr const char* kEmptyList = "An attempt was made to access an empty object list!";
inline constexpr const char* kEmptyListPassed = "An empty list was passed to Message Content Set Object List.";
inline constexpr const char* kUndefinedType = "An attempt was made to access an undefined message type!";
inline constexpr const char* kInvalidObject = "An invalid object was specified!";
inline constexpr const char* kNoDynamicTable = "The pointer to the Dynamic Object is undefined!";
inline constexpr const char* kUndefinedDynamic = "The requested Dynamic Object is undefined!";
inline constexpr const char* kInvalidFormat = "Invalid Encoding Format Requested!";
// A Set value that no octets of the syntax stand for: "<text>" of <instance>.
inline constexpr const char* kValueNotEncodable1 = "The value \"";
inline constexpr const char* kValueNotEncodable2 = "\" can not be encoded in the syntax of ";
// The central's MIB would not take the value, and it is sent as given.
inline constexpr const char* kOutsideMib1 = "Warning!  The value \"";
inline constexpr const char* kOutsideMib2 = "\" is outside what the MIB allows for ";
inline constexpr const char* kReadOnlyInMib = "Warning!  The MIB makes this object read-only: ";
inline constexpr const char* kSentAsGiven = "; the value is sent as given.\n";
}  // namespace message_error

// The data-link address field value of a station address and group flag:
// the one or two address octets read as one number (0 beyond two octets).
// A poll goes to station 255 with the group flag 255: 2299.
uint16_t address_field_value(int32_t address, int32_t group);

class Message_Content {
public:
    uint8_t encoding_style() const { return encoding_style_; }
    void set_encoding_style(uint8_t value) { encoding_style_ = value; }
    int32_t class_code() const { return class_; }
    void set_class_code(int32_t value) { class_ = value; }
    uint16_t address() const { return address_; }
    void set_address(uint16_t value) { address_ = value; }
    const Bytes& community() const { return community_; }
    void set_community(Bytes value) { community_ = std::move(value); }
    int32_t request_id() const { return request_id_; }
    void set_request_id(int32_t value) { request_id_ = value; }
    uint8_t object_encoding() const { return object_encoding_; }
    void set_object_encoding(int value);
    int32_t list_kind() const { return list_kind_; }
    void set_list_kind(int32_t value) { list_kind_ = value; }
    int32_t edit_flag() const { return edit_flag_; }
    void set_edit_flag(int32_t value) { edit_flag_ = value; }
    int64_t send_time() const { return send_time_; }  // milliseconds of the steady clock; 0 until sent
    void set_send_time(int64_t value) { send_time_ = value; }

    uint8_t message_type() const;  // refuses the unset type
    uint8_t raw_message_type() const { return message_type_; }
    void set_message_type(uint8_t code);

    const Object_List& objects() const;  // refuses an empty list
    const Object_List& objects_as_they_are() const { return objects_; }  // empty or not
    const Object_List& entries() const { return objects_; }  // possibly empty
    Object_List& mutable_objects() { return objects_; }
    void set_objects(Object_List list);
    bool object_list_empty() const { return objects_.empty() || !objects_.front().has_object(); }
    void take_dynamic_object_list(const Dynamic_Objects& table, uint8_t number, const ISO_Tree& tree);

    // The caller holds the tree's lock, exclusively: a Set request stores its
    // values into the instances it names.
    void build_from_request(Request_Record& request, const Dynamic_Objects* table, ISO_Tree& tree);

    // What the central's own MIB says of the values of a Set it sends
    // anyway (a value outside its range or size, a read-only object): one
    // warning line each, for the request's trace.
    const std::string& warnings() const { return warnings_; }

    // A received message's style, type and encoding from its first byte:
    // 0x30 SNMP; another byte below 0x80 unknown; from 0x80 on STMP, the
    // type in the high nibble and the encoding in the low.
    void decode_first_byte(uint8_t first);

private:
    void add_request_objects(Request_Record& request, ISO_Tree& tree);
    // A Set's value goes out as given, or the request is refused when the
    // text cannot be a value of the syntax at all.
    void set_request_value(Iso_Instance& instance, int value_type, const std::string& text);

    uint8_t encoding_style_ = style::kNone;
    int32_t class_ = 0;
    uint16_t address_ = 0;
    Bytes community_;
    int32_t request_id_ = 0;
    uint8_t message_type_ = message_type::kUnset;
    uint8_t object_encoding_ = 0;
    Object_List objects_;
    int32_t list_kind_ = list_kind::kNone;
    int32_t edit_flag_ = 0;
    int64_t send_time_ = 0;
    std::string warnings_;
};
