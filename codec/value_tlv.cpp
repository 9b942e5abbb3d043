#include "codec/value_tlv.h"

#include "codec/ber.h"
#include "codec/oid_forms.h"
#include "codec/stmf_exception.h"
#include "tree/iso_object.h"

uint8_t syntax_tag_of(const ISO_Object* instance) {
    const Object_Type* type = object_type_of(instance);
    return type != nullptr ? static_cast<uint8_t>(type->syntax_code()) : 0;
}

Bytes tree_form_of(const Object_Entry& entry) {
    return entry.instance != nullptr ? tree_form_of(*entry.instance) : entry.identifier;
}

namespace {

void oid_tlv(const Bytes& content, Bytes& out) {
    if (!out.empty()) throw InvalidReferenceException(value_tlv_text::kModified);
    out = wrap(ber::kObjectIdentifier, content);
}

}  // namespace

void standard_oid_tlv(const Bytes& tree_form, Bytes& out) { oid_tlv(standard_from_tree(tree_form), out); }

void nema_oid_tlv(const Bytes& tree_form, Bytes& out) { oid_tlv(nema_from_tree(tree_form), out); }

namespace {

const Bytes kZero = {0x00};
const Bytes kZeroAddress = {0x00, 0x00, 0x00, 0x00};

// An instance that was never given a value is sent as the value it shows:
// a number as 0, an address as 0.0.0.0, an identifier as 0.0 (an empty
// OBJECT IDENTIFIER is not valid BER), so that the element stays valid.
const Bytes& sent_value(uint8_t tag, const Bytes& value) {
    if (!value.empty()) return value;
    switch (tag) {
        case ber::kInteger:
        case ber::kCounter:
        case ber::kGauge:
        case ber::kTimeTicks:
            return kZero;
        case ber::kIpAddress:
            return kZeroAddress;
        case ber::kObjectIdentifier:
            return kZero;  // 0.0: the first two arcs in one octet
        default:
            return value;
    }
}

}  // namespace

Value_Parts value_parts(const Object_Entry& entry) {
    if (entry.instance != nullptr && !entry.holder && entry.instance->is(kind::kInstance)) {
        const uint8_t tag = syntax_tag_of(entry.instance);
        return {tag, sent_value(tag, static_cast<const Iso_Instance*>(entry.instance)->value)};
    }
    return {entry.syntax, entry.value};
}

Bytes value_tlv(const Object_Entry& entry) {
    const Value_Parts parts = value_parts(entry);
    return wrap(parts.tag, Bytes(parts.content.begin(), parts.content.end()));
}

Standard_Oid standard_oid_of(const Object_Entry& entry) {
    return entry.instance != nullptr ? Standard_Oid(*entry.instance) : Standard_Oid(entry.identifier);
}
