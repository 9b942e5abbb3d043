// PPP frames in HDLC-like framing (RFC 1662), in transmission order:
//
//   flag 7E | address FF | control 03 | protocol (2) | information | FCS (2) | flag 7E
//
// The FCS is the FCS-16 of the PMPP frames, over address to information,
// complemented, low-order octet first. Between the flags every flag, every
// escape octet and every octet below 0x20 goes out as 7D and the octet xor
// 0x20, whatever control-character map was negotiated. Address and control
// are always sent; the protocol field is never compressed.
#pragma once

#include <cstdint>
#include <span>

#include "datalink/raw_message.h"
#include "ppp/lcp_options.h"
#include "ppp/random_below.h"

namespace ppp_frame {
inline constexpr uint8_t kAllStations = 0xFF;
inline constexpr uint8_t kUnnumberedInformation = 0x03;
inline constexpr size_t kProtocolLength = 2;
// Octets below this one are escaped on every frame sent.
inline constexpr uint8_t kFirstUnescapedControl = 0x20;
}  // namespace ppp_frame

// The faults a frame can be sent with, to see how a peer copes; several may
// apply to one frame.
struct Ppp_Frame_Faults {
    bool invalid_address = false;      // a random octet 0x00 to 0xFD instead of 0xFF
    bool invalid_control = false;      // 0x04 + random(251) instead of 0x03
    bool extra_byte = false;           // 0x58 after the information
    bool remove_byte = false;          // one random octet of address to information removed (not with extra_byte)
    bool change_byte = false;          // one random octet of address to information increased by 1
    bool invalid_crc = false;          // FCS increased by 1 + random(5000)

    bool any() const {
        return invalid_address || invalid_control || extra_byte || remove_byte || change_byte || invalid_crc;
    }
};

// The flagged, stuffed frame carrying the information with a protocol.
// random draws the faults' choices and may be empty when there are none.
Ppp_Bytes encode_ppp_frame(std::span<const uint8_t> information, uint16_t protocol,
                           const Ppp_Frame_Faults& faults = {}, const Random_Below& random = {});

// Framing flags a PPP decode reports beside its exceptions.
namespace ppp_decode_flag {
inline constexpr uint16_t kBadFcs = 0x2;
inline constexpr uint16_t kBadAddress = 0x4;
inline constexpr uint16_t kBadControl = 0x8;
inline constexpr uint16_t kProtocolNotTwoOctets = 0x10;
}  // namespace ppp_decode_flag

namespace ppp_frame_error {
// Our own: a PPP frame whose address is not the all-stations address.
inline constexpr const char* kInvalidAddress = "Invalid PPP address field!";
}  // namespace ppp_frame_error

// Decodes the complete frame in message.octets as the PMPP decode does
// (flags, unstuffing, control 0x03, 0x13 or 0x33, the protocol read as an
// IPI), and reports in result.flags what it found wrong: a bad FCS sets
// kBadFcs and decoding goes on; a bad or missing address adds kBadAddress
// and a bad or missing control adds kBadControl, each then throwing its
// PMPP_Exception; a protocol field that is not two octets adds
// kProtocolNotTwoOctets and ends the decode. result.ipi is the protocol.
void decode_ppp_frame(Raw_Message& message, Decode_Result& result);
