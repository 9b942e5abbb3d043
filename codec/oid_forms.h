// The three byte forms of an object identifier:
//   tree form     every sub-identifier in base 128, the first two apart:
//                 1.3.6.1.4.1.1206 is 01 03 06 01 04 01 89 36
//   standard      BER content: the first two combined as 40 * a + b:
//                 2B 06 01 04 01 89 36
//   NEMA-relative the tree form without the NEMA node's 8 bytes, as STMP
//                 writes identifiers "from the NEMA node"
#pragma once

#include <optional>
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
