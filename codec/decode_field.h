// Decode field: takes one tag-length-value element from the front of a
// message and writes its line of the English trace:
//   <indent><tag> <length bytes> <content bytes>  : <description>
// A SEQUENCE's content stays in the message, for the caller to decode the
// elements inside it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "codec/activity_log.h"
#include "codec/ber.h"

namespace decode_field_text {
inline constexpr const char* kTooShort = "Length of sequence is too short to be legitimate, aborting decode";
inline constexpr const char* kInconsistent1 = "Length indicated by field is not consistent with ";
inline constexpr const char* kInconsistent2 = "the PDU length, PDU is too small.\nAborting decode\n";
inline constexpr const char* kInvalidLength = "Invalid length";
}  // namespace decode_field_text

struct Decoded_Field {
    uint8_t tag = 0;
    size_t length = 0;
    Bytes content;     // empty for a SEQUENCE, whose content stays in the message
    std::string name;  // the object an OBJECT IDENTIFIER names, if the tree has it
};

// as_sequence: take the element as a SEQUENCE whatever its tag (a PDU).
Decoded_Field decode_field(Byte_Reader& pdu, Activity_Log& log, int indent, bool as_sequence = false);

// The same field with its content left in the message: a view that stays
// valid as long as the message's bytes.
// The name an OBJECT IDENTIFIER stands for goes to *name when asked for.
struct Field_View {
    uint8_t tag = 0;
    size_t length = 0;
    std::span<const uint8_t> content;  // empty for a SEQUENCE
};
Field_View read_field(Byte_Reader& pdu, Activity_Log& log, int indent, bool as_sequence = false,
                      std::string* name = nullptr);
