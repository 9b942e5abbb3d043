// Whether a response answers the request it is matched with, and, when it
// does, storing its values into the tree. What is wrong is recorded as error
// flags in the request's Error_State and explained in the trace.
#pragma once

#include <cstdint>

#include "base/bytes.h"

class Activity_Log;
class Error_State_List;
class Iso_Instance;
class ISO_Tree;
class Message_Content;
struct Object_Entry;

namespace validation_text {
inline constexpr const char* kInvalidResponse = "An invalid response was received to the last request!";
inline constexpr const char* kProgramError = "A program error occured while accessing an object!";
inline constexpr const char* kObjectMismatch = "The response did not contain the same objects as the request!";
inline constexpr const char* kProtocolMismatch = "The response was not in the same format as the request!";
}  // namespace validation_text

// The kind of a response against its request, before anything of it is
// stored: another encoding style records ProtocolMismatch, an STMP Get
// response to a request other than Get or Get-next records InvalidResponse;
// either throws DecodingException. errors may be null.
void check_response_kind(const Message_Content& response, const Message_Content& request, Activity_Log& log,
                         Error_State_List* errors);

// A dynamic object's Get response: the kind as above, then the dynamic
// object of the request must be the one answered (ObjectMismatch).
void check_dynamic_response(const Message_Content& response, const Message_Content& request, Activity_Log& log,
                            Error_State_List* errors);

// An STMP Set response: to anything but a Set it records InvalidResponse,
// in another style ProtocolMismatch; nothing is thrown (it carries no values).
void check_set_response(const Message_Content& response, const Message_Content& request, Error_State_List* errors);

// errors may be null (the STMP decoder): then nothing is read from or
// recorded into an error state. With a non-zero blocking flag, a request
// whose outcome holds any flag (or is not yet known) gets no values. The
// caller holds the tree's lock exclusively.
void validate_and_store(const Message_Content& response, const Message_Content& request, Activity_Log& log,
                        Error_State_List* errors, uint32_t blocking_flag, ISO_Tree& tree);

// Replaces an instance's value unless the value's syntax is not the
// object's: 0 stored, 3 refused.
int store_into_instance(Iso_Instance& instance, uint8_t value_syntax, const Bytes& value, Activity_Log& log);

// The trace lines that judge an STMP response's header against the request's.
void stmp_header_check(Activity_Log& log, uint8_t request_type, uint8_t request_nibble, uint8_t response_type,
                       uint8_t response_nibble, int indent);
