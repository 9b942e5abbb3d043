// The three byte forms of an object identifier:
//   tree form     every sub-identifier in base 128, the first two apart:
//                 1.3.6.1.4.1.1206 is 01 03 06 01 04 01 89 36
//   standard      BER content: the first two combined as 40 * a + b:
//                 2B 06 01 04 01 89 36
//   NEMA-relative the tree form without the NEMA node's 8 bytes, as STMP
//                 writes identifiers "from the NEMA node"
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/bytes.h"
#include "tree/oid.h"

class ISO_Object;

namespace oid_form {
inline const Bytes kNemaNode = {0x01, 0x03, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36};
inline constexpr const char* kNotBelowNema = "An object outside the NEMA node can not be encoded from the NEMA node!";
}  // namespace oid_form

Bytes tree_form_of(const ISO_Object& node);

// Standard content from tree form; EncodingException when the tree form is
// not a whole identifier.
Bytes standard_from_tree(const Bytes& tree_form);
// Tree form from standard content: tree_from_standard of tree/oid.h.

// EncodingException when the identifier is not below the NEMA node.
Bytes nema_from_tree(const Bytes& tree_form);
Bytes tree_from_nema(const Bytes& relative);

// Each sub-identifier of tree-form octets in decimal, joined by ".".
std::string dotted_from_tree(const Bytes& tree_form);

// The standard content of a node's identifier, written without building its
// tree form: a leaf keeps its own (made when it was linked), and an instance
// or group adds its index sub-identifiers behind its leaf's. Any other node
// goes the long way. EncodingException as standard_from_tree.
class Standard_Oid {
public:
    explicit Standard_Oid(const ISO_Object& node);
    explicit Standard_Oid(const Bytes& tree_form) : owned_(standard_from_tree(tree_form)), prefix_(owned_) {}
    Standard_Oid(const Standard_Oid&) = delete;
    Standard_Oid& operator=(const Standard_Oid&) = delete;

    size_t size() const { return prefix_.size() + suffix_size_; }
    void append_to(Bytes& out) const;
    bool operator==(std::span<const uint8_t> content) const;

private:
    static constexpr size_t kMaxIndexes = 8;

    Bytes owned_;
    std::span<const uint8_t> prefix_;
    std::array<uint32_t, kMaxIndexes> suffix_{};  // the indexes, outermost first
    size_t suffix_count_ = 0;
    size_t suffix_size_ = 0;
};
