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

namespace {

size_t subidentifier_size(uint32_t value) {
    size_t size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

}  // namespace

Standard_Oid::Standard_Oid(const ISO_Object& node) {
    std::array<uint32_t, kMaxIndexes> reversed{};
    size_t count = 0;
    const ISO_Object* level = &node;
    for (; level != nullptr && level->kind_code() != ISO_Object::kLeafCode; level = level->parent) {
        const uint8_t code = level->kind_code();
        if ((code != ISO_Object::kInstanceCode && code != ISO_Object::kGroupCode) || count == kMaxIndexes) {
            level = nullptr;
            break;
        }
        reversed[count++] = level->number;
    }
    const auto* leaf = static_cast<const ISO_Leaf*>(level);
    if (leaf == nullptr || leaf->standard_oid().empty()) {
        owned_ = standard_from_tree(tree_form_of(node));
        prefix_ = owned_;
        return;
    }
    prefix_ = leaf->standard_oid();
    for (size_t i = 0; i < count; ++i) {
        suffix_[i] = reversed[count - 1 - i];
        suffix_size_ += subidentifier_size(suffix_[i]);
    }
    suffix_count_ = count;
}

void Standard_Oid::append_to(Bytes& out) const {
    out.insert(out.end(), prefix_.begin(), prefix_.end());
    for (size_t i = 0; i < suffix_count_; ++i) append_subidentifier(out, suffix_[i]);
}

bool Standard_Oid::operator==(std::span<const uint8_t> content) const {
    if (content.size() != size() || !std::equal(prefix_.begin(), prefix_.end(), content.begin())) return false;
    size_t position = prefix_.size();
    for (size_t i = 0; i < suffix_count_; ++i) {
        uint8_t octets[5];
        size_t count = 0;
        for (uint32_t rest = suffix_[i]; count == 0 || rest != 0; rest >>= 7) octets[count++] = rest & 0x7F;
        while (count > 0) {
            --count;
            const uint8_t more = count > 0 ? 0x80 : 0x00;  // set on all but the last octet
            if (content[position++] != (octets[count] | more)) return false;
        }
    }
    return true;
}
