// The trace texts and messages the SNMP decoders share.
#pragma once

namespace snmp_text {
inline constexpr const char* kInvalidSequence = "The message contained an invalid byte sequence!";
inline constexpr const char* kInvalidVersion = "The message contained an invalid version number!";
inline constexpr const char* kSequenceExpected = "A Sequence was expected but not detected!";
inline constexpr const char* kTrap = "An attempt was made to encode a TRAP, but this is not implemented!";
inline constexpr const char* kInvalidType = "An invalid message type was requested!";

inline constexpr const char* kNoSequence = "Protocol Error!  An SNMP SEQUENCE was expected\n";
inline constexpr const char* kNoVersion = "Protocol Error!  An SNMP Version number was expected!\n";
inline constexpr const char* kNoCommunity = "Protocol Error!  An SNMP Community Name was expected!\n";
inline constexpr const char* kNoRequestId = "Protocol Error!  An SNMP Request ID was expected!\n";
inline constexpr const char* kNoErrorStatus = "Protocol Error!  An SNMP Error Status was expected!\n";
inline constexpr const char* kNoErrorIndex = "Protocol Error!  An SNMP Error Index was expected!\n";
inline constexpr const char* kUnexpectedType1 = "Protocol Error!  An unexpected type was ";
inline constexpr const char* kUnexpectedType2 = "encountered.  Only a SEQUENCE\nor OBJECT ";
inline constexpr const char* kUnexpectedType3 = "IDENTIFIER may exist at this location.";
inline constexpr const char* kNoOid = "Protocol Error! An OBJECT IDENTIFIER was expected.";
inline constexpr const char* kAsIfOid = "  Attempting to continue\nas if this was an OID.\n";
inline constexpr const char* kBadVersion = "Invalid Version Number!  This software only supports SNMP Version 1!\n";
inline constexpr const char* kBadCommunity =
    "Invalid Community Name!  The Community Name on the response was different from the Request!\n";
inline constexpr const char* kProtocolErrorMaybe = "This could be a protocol error!\n";
inline constexpr const char* kNotFound = "The object was not found using proper encoding rules!\n";
inline constexpr const char* kSyntaxDisagrees1 = "Protocol Error!  The received SYNTAX did not agree with the stored\n";
inline constexpr const char* kSyntaxDisagrees2 = "SYNTAX for this object!\nAttempting to continue...";
inline constexpr const char* kObjectError = "!!OBJECTERROR!!";
}  // namespace snmp_text
