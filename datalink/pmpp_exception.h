// Errors of PMPP framing. The receiver reports each kind with its own error
// flag and discards the frame.
#pragma once

#include "base/throwable.h"

class PMPP_Exception : public RecoverException {
public:
    using RecoverException::RecoverException;
};

class CRCException : public PMPP_Exception {
public:
    using PMPP_Exception::PMPP_Exception;
};

class InvalidByteSequenceException : public PMPP_Exception {
public:
    using PMPP_Exception::PMPP_Exception;
};

// A control field other than those accepted on receipt.
class InvalidControlException : public InvalidByteSequenceException {
public:
    using InvalidByteSequenceException::InvalidByteSequenceException;
};

class InvalidLengthException : public PMPP_Exception {
public:
    using PMPP_Exception::PMPP_Exception;
};

namespace pmpp_error {
inline constexpr const char* kShorterThanTwo = "The message length is smaller than 2 bytes!";
inline constexpr const char* kAddressLength = "Invalid length on buffer for HDLCAddr!";
inline constexpr const char* kInvalidByteSequence = "Invalid Byte Sequence!";
inline constexpr const char* kInvalidIpi = "Invalid IPI code!";
inline constexpr const char* kOctetBeforeFlag = "An Invalid Byte Sequence Exception was thrown";
inline constexpr const char* kCrcCannotBeValidated = "The CRC can't be validated!";
inline constexpr const char* kInvalidCrc = "Invalid CRC in message!";
// Our own: a body whose address is followed by nothing but the FCS.
inline constexpr const char* kNoControlField = "The frame ends before its control field!";
// Our own: a frame under assembly that grew past the longest frame accepted.
inline constexpr const char* kReceivedFrameTooLong = "The frame received is longer than the longest frame accepted!";
// Our own: a sent frame longer than the frame area of its record.
inline constexpr const char* kSentFrameTooLong = "The encoded frame does not fit in the 1500-octet frame area!";
}  // namespace pmpp_error
