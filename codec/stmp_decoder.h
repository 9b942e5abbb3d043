// The central role's decoder of STMP messages: get responses in both forms,
// set responses and error responses. Requests and traps are explained in the
// trace and not decoded further.
#pragma once

#include <cstdint>

#include "base/bytes.h"

class Activity_Log;
class Dynamic_Objects;
class Error_State_List;
class ISO_Tree;
class Message_Content;

namespace stmp_decoder_text {
inline constexpr const char* kInvalidSequence = "The message contained an invalid byte sequence!";
inline constexpr const char* kSequenceExpected = "A Sequence was expected but not detected!";
inline constexpr const char* kInvalidStyle = "An invalid object encoding style was requested!";
inline constexpr const char* kUndefined = "A reference was made to a Dynamic Object which is not yet defined!";
inline constexpr const char* kUnexpectedEnd = "Unexpected end of message!";
inline constexpr const char* kInvalidError = "The STMP Error Response is invalid!";
}  // namespace stmp_decoder_text

struct Stmp_Error {
    uint8_t status = 0;
    uint32_t index = 0;
};

// pdu starts with the header byte, which the caller has traced and read into
// `received`. request may be null (nothing to check the response against);
// errors (may be null) receive the flags of what does not answer it.
// The caller holds the tree's lock exclusively.
Stmp_Error decode_stmp(const Bytes& pdu, Message_Content& received, const Message_Content* request,
                       Activity_Log& log, ISO_Tree& tree, const Dynamic_Objects* table,
                       Error_State_List* errors = nullptr);
