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

// An instance that was never given a value is sent as the value it shows:
// a number as 0, an address as 0.0.0.0, so that the element stays valid BER.
Bytes sent_value(uint8_t tag, const Bytes& value) {
    if (!value.empty()) return value;
    switch (tag) {
        case ber::kInteger:
        case ber::kCounter:
        case ber::kGauge:
        case ber::kTimeTicks:
            return {0x00};
        case ber::kIpAddress:
            return {0x00, 0x00, 0x00, 0x00};
        default:
            return value;
    }
}

}  // namespace

Bytes value_tlv(const Object_Entry& entry) {
    if (entry.instance != nullptr && !entry.holder && entry.instance->is(kind::kInstance)) {
        const uint8_t tag = syntax_tag_of(entry.instance);
        return wrap(tag, sent_value(tag, static_cast<const Iso_Instance*>(entry.instance)->value));
    }
    return wrap(entry.syntax, entry.value);
}
