#include "codec/oid_forms.h"

#include <algorithm>

#include "codec/stmf_exception.h"
#include "tree/iso_tree.h"
#include "tree/oid.h"

namespace {
constexpr const char* kBrokenIdentifier = "An object identifier which can not be encoded was encountered!";
}

Bytes tree_form_of(const ISO_Object& node) { return encode_subidentifiers(ISO_Tree::oid_numbers(&node)); }

Bytes standard_from_tree(const Bytes& tree_form) {
    const auto numbers = decode_subidentifiers(tree_form);
    if (!numbers || numbers->empty()) throw EncodingException(kBrokenIdentifier);
    if (numbers->size() == 1) return tree_form;
    const uint64_t combined = uint64_t{40} * (*numbers)[0] + (*numbers)[1];
    if ((*numbers)[0] > 2 || ((*numbers)[0] < 2 && (*numbers)[1] >= 40) || combined > 0xFFFFFFFFull)
        throw EncodingException(kBrokenIdentifier);
    Bytes out;
    append_subidentifier(out, static_cast<uint32_t>(combined));
    for (size_t i = 2; i < numbers->size(); ++i) append_subidentifier(out, (*numbers)[i]);
    return out;
}

Bytes nema_from_tree(const Bytes& tree_form) {
    const Bytes& prefix = oid_form::kNemaNode;
    if (tree_form.size() < prefix.size() || !std::equal(prefix.begin(), prefix.end(), tree_form.begin()))
        throw EncodingException(oid_form::kNotBelowNema);
    return Bytes(tree_form.begin() + static_cast<std::ptrdiff_t>(prefix.size()), tree_form.end());
}

Bytes tree_from_nema(const Bytes& relative) {
    Bytes out = oid_form::kNemaNode;
    out.insert(out.end(), relative.begin(), relative.end());
    return out;
}

std::string dotted_from_tree(const Bytes& tree_form) {
    std::string text;
    uint64_t value = 0;
    bool inside = false;
    for (uint8_t octet : tree_form) {
        value = ((value << 7) | (octet & 0x7Fu)) & 0xFFFFFFFFFFull;
        inside = (octet & 0x80) != 0;
        if (!inside) {
            if (!text.empty()) text += '.';
            text += std::to_string(value);
            value = 0;
        }
    }
    if (inside) {
        if (!text.empty()) text += '.';
        text += std::to_string(value);
    }
    return text;
}
