// The PMPP frame on the line, in transmission order:
//
//   flag | address (1-2) | control | IPI (0-2) | information | FCS (2) | flag
//
// Between the two flags every flag and escape octet is sent as the escape
// octet followed by the octet xor 0x20. The FCS is the FCS-16 of RFC 1662
// over address to information, complemented, low-order octet first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pmpp {

// Opens and closes every frame.
inline constexpr uint8_t kFlag = 0x7E;
// Control escape: the octet after it is the original octet xor kEscapeXor.
inline constexpr uint8_t kEscape = 0x7D;
inline constexpr uint8_t kEscapeXor = 0x20;

// The control field of every frame this station sends.
inline constexpr uint8_t kControlSent = 0x13;
// Control fields accepted on receipt.
inline constexpr std::array<uint8_t, 3> kControlsAccepted = {0x03, 0x13, 0x33};

// The FCS: two octets at the end of the body.
inline constexpr size_t kFcsLength = 2;

// The station address whose frames carry no control, IPI or information
// field (unless errors are being injected).
inline constexpr int32_t kBareFrameAddress = 255;

// The profile class whose frames carry the NTCIP Class B IPI.
inline constexpr const char* kClassB = "Class B";

// Appended to the information field by the extra-octet error ("X").
inline constexpr uint8_t kExtraOctet = 0x58;

// The seven field positions kept with a sent frame: the index in the stuffed
// frame at which each field starts; the last is the closing flag, the frame's
// last octet.
enum Field_Position : size_t {
    kOpeningFlagPosition,
    kAddressPosition,
    kControlPosition,
    kIpiPosition,
    kInformationPosition,
    kFcsPosition,
    kClosingFlagPosition,
    kFieldPositionCount
};

}  // namespace pmpp
