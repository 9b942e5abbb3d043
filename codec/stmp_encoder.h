// Encodes a message of the STMP style, header byte first, with its English
// trace.
#pragma once

class Activity_Log;
class Dynamic_Objects;
class ISO_Tree;
class Message_Content;
class STMF_Message;

namespace stmp_encoder_text {
inline constexpr const char* kEmptyList = "Cannot encode an empty list of objects!";
inline constexpr const char* kInvalidEncoding = "Invalid OID Encoding Requested!";
inline constexpr const char* kErrorResponse =
    "An attempt was made to encode a ERROR Response, but this is not implemented yet!";
inline constexpr const char* kTrap = "An attempt was made to encode a TRAP, but this is not defined yet!";
inline constexpr const char* kInvalidType = "An invalid message type was requested!";
inline constexpr const char* kUndefined = "An attempt was made to encode a Dynamic Object before it was defined!";
inline constexpr const char* kDynamicResponse = "Encoding of Response Messages has not been implemeneted";
inline constexpr const char* kDynamicTrap = "TRAPs have not yet been defined in the STMP!";
inline constexpr const char* kUnknownType = "An unknown Message Type requested!";
inline constexpr const char* kNoTable = "The pointer to the Dynamic Object is undefined!";
}  // namespace stmp_encoder_text

void encode_stmp(const Message_Content& message, STMF_Message& out, Activity_Log& log, const ISO_Tree& tree,
                 const Dynamic_Objects* table);
