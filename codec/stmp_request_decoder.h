// The field role's decoder of STMP requests: Get, Get-next, Set and Set
// without reply, in the identifier-value forms (NEMA or ROOT identifiers)
// and for dynamic objects 1 to 13. It reads what the request asks for; the
// field device carries it out and answers in the same encoding. A request
// that cannot be read is answered with genErr, an unknown object or an
// undefined dynamic object with noSuchName.
#pragma once

#include "base/bytes.h"
#include "codec/snmp_request_decoder.h"

class Activity_Log;
class Dynamic_Objects;
class ISO_Tree;
class Message_Content;

namespace stmp_request_text {
inline constexpr const char* kNoReply = "A Set No Reply is carried out and never answered.\n";
inline constexpr const char* kUndefined = "The dynamic object is not defined in this device.\n";
inline constexpr const char* kMalformed = "The request can not be read; it is answered with genErr.\n";
inline constexpr const char* kDynamicGetNext = "A Get Next of a dynamic object has no meaning; it is answered with genErr.\n";
inline constexpr const char* kUnknownObject = "The object is not supported by this device.\n";
}  // namespace stmp_request_text

// pdu starts with the header byte, which the caller has traced and read into
// `received`; the objects asked for are put into its list (as references to
// the tree) so that the answer can be explained against them. The caller
// holds the tree's lock exclusively.
Field_Answer decode_stmp_request(const Bytes& pdu, Message_Content& received, Activity_Log& log, ISO_Tree& tree,
                                 const Dynamic_Objects* table);
