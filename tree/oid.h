// Object identifiers as numbers and as base-128 sub-identifier octets.
//
// The tree form of an identifier encodes every sub-identifier, the first two
// included, separately in base 128: the high bit is set on every octet but the
// last of a sub-identifier. The NEMA node 1.3.6.1.4.1.1206 is 01 03 06 01 04 01 89 36.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"

using Oid_Numbers = std::vector<uint32_t>;

// Appends one sub-identifier in base 128.
void append_subidentifier(Bytes& out, uint32_t value);

// Tree form of a list of numbers.
Bytes encode_subidentifiers(const Oid_Numbers& numbers);

// The numbers of tree-form octets. A sub-identifier may carry redundant
// leading 0x80 octets; nothing when the octets end inside a sub-identifier
// or a sub-identifier does not fit in 32 bits.
std::optional<Oid_Numbers> decode_subidentifiers(const Bytes& octets);

// Dotted text to numbers: pieces between runs of "." (and, when
// blanks_separate, blanks), each made of decimal digits only and fitting in
// 32 bits. Nothing when the text holds no piece or a piece that is not a
// number.
std::optional<Oid_Numbers> parse_dotted(std::string_view text, bool blanks_separate = false);

// Numbers joined by ".", each in decimal.
std::string join_dotted(const Oid_Numbers& numbers);

// Tree form from the standard BER content of an identifier (the first two
// arcs combined as 40 * a + b); nothing when the content is cut short.
std::optional<Bytes> tree_from_standard(const Bytes& standard);
