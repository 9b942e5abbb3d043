// The tag-length-value elements of objects: an object's identifier and its
// value as a message carries them.
#pragma once

#include <cstdint>
#include <span>

#include "base/bytes.h"
#include "codec/object_list.h"

class ISO_Object;

namespace value_tlv_text {
inline constexpr const char* kModified = "An invalid attempt was made to modify the message!";
}

// The tag of an instance's syntax (the syntax code of its object type; 0 without one).
uint8_t syntax_tag_of(const ISO_Object* instance);

// The identifier of an entry in tree form: its instance's, or its own.
Bytes tree_form_of(const Object_Entry& entry);

// 06 L and the standard content, or the NEMA-relative content, into an
// empty output (InvalidReferenceException otherwise).
void standard_oid_tlv(const Bytes& tree_form, Bytes& out);
void nema_oid_tlv(const Bytes& tree_form, Bytes& out);

// The value TLV: the instance's syntax tag, length and stored value; for a
// holder its own tag and value.
Bytes value_tlv(const Object_Entry& entry);

// The same element as its tag and a view of its content, for writing it
// straight into a message.
struct Value_Parts {
    uint8_t tag = 0;
    std::span<const uint8_t> content;
};
Value_Parts value_parts(const Object_Entry& entry);

// The standard content of an entry's identifier: its instance's, or its own.
class Standard_Oid;
Standard_Oid standard_oid_of(const Object_Entry& entry);
