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

Bytes value_tlv(const Object_Entry& entry) {
    if (entry.instance != nullptr && !entry.holder && entry.instance->is(kind::kInstance))
        return wrap(syntax_tag_of(entry.instance), static_cast<const Iso_Instance*>(entry.instance)->value);
    return wrap(entry.syntax, entry.value);
}
