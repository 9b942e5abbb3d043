// Octet stuffing between the flags of a PMPP frame: every flag and every
// escape octet goes on the line as the escape octet followed by the octet
// xor 0x20; no other octet is escaped.
#pragma once

#include <cstdint>
#include <span>

#include "base/bytes.h"
#include "base/throwable.h"

// A body that ends in an escape octet with nothing for it to escape (on the
// line, an escape right before the closing flag). Not a framing error of its
// own kind: the receiver reports it as a general data-link failure.
class Dangling_Escape_Exception : public RecoverException {
public:
    using RecoverException::RecoverException;
};

namespace stuffing_error {
// Our own.
inline constexpr const char* kDanglingEscape = "The frame body ends with an escape octet that escapes nothing!";
}  // namespace stuffing_error

// Appends the octets to the frame, stuffed.
void append_stuffed(Bytes& out, std::span<const uint8_t> octets);

// Undoes the stuffing: an escape octet and the octet after it become that
// octet xor 0x20. Throws Dangling_Escape_Exception when the last octet is a
// lone escape.
Bytes unstuff(std::span<const uint8_t> octets);
