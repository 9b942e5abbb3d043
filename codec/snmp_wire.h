// Pieces both SNMP decoders (central and field role) read a message with.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "codec/ber.h"
#include "codec/decode_field.h"
#include "tree/value_text.h"

class ISO_Object;
class ISO_Tree;
class Standard_Oid_Finder;

// Indents of the trace lines: the message, its parts, the PDU's parts, each
// binding, and a binding's identifier and value.
namespace snmp_indent {
inline constexpr int kMessage = 1;
inline constexpr int kPart = 2;
inline constexpr int kPduPart = 3;
inline constexpr int kBinding = 4;
inline constexpr int kObject = 5;
}  // namespace snmp_indent

// The element at the front must carry the tag; otherwise the missing line
// goes to the trace and DecodingException (invalid byte sequence) is thrown.
void expect_tag(const Byte_Reader& reader, Activity_Log& log, uint8_t tag, const char* missing_line);

// How many whole elements follow in the reader (the bindings of a message),
// for making room for them at once; the count stops at the first element
// that is not whole, and the reader is left where it was.
size_t element_count(const Byte_Reader& reader);

// A request id is an INTEGER: up to four octets of two's complement, or
// five with a 00 in front of a set top bit.
int32_t request_id_of(const Bytes& content);
int32_t request_id_of_octets(std::span<const uint8_t> content);

// A request id's INTEGER content in the fewest octets BER allows
// (-128 is 80, -2^31 is 80 00 00 00).
Integer_Octets request_id_octets(int32_t request_id);

// The request id a device echoes, compared as the INTEGER it is: any length
// BER allows, redundant sign octets included, and a value beyond 32 bits
// matches no request.
bool request_id_matches(std::span<const uint8_t> content, int32_t request_id);

// The request id of an SNMP message, read without decoding the rest: its
// INTEGER content, or nothing when the message is not whole up to there.
std::optional<std::span<const uint8_t>> snmp_request_id_content(const Bytes& message);

// One binding's identifier: the tree's node for it, found straight from the
// BER sub-identifiers, and, only when the tree has none, its content in tree
// form. A tag other than OBJECT IDENTIFIER is traced and the element taken
// as one anyway.
struct Binding_Object {
    Bytes tree_form;  // only for an identifier the tree does not know
    Bytes standard;   // the content as it came
    ISO_Object* node = nullptr;
};
Binding_Object decode_binding_object(Byte_Reader& reader, Activity_Log& log, const ISO_Tree& tree);
// The same for the bindings of one message, which mostly share the start of
// their identifiers. A response names mostly the objects of its request in
// their order: the object expected at this place is taken when the
// identifier is its own and a lookup by OID comes to it.
Binding_Object decode_binding_object(Byte_Reader& reader, Activity_Log& log, Standard_Oid_Finder& finder,
                                     ISO_Object* expected = nullptr);
