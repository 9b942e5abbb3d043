// One LCP packet (RFC 1661): code, identifier, length (high octet first,
// counting the four header octets) and data; with the option set it was
// built from and the tick at which it was built or received.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "ppp/lcp_options.h"

inline constexpr size_t kLcpHeaderLength = 4;

struct Lcp_Packet {
    uint8_t code = 0;  // 0: no packet yet
    uint8_t identifier = 0;
    uint16_t length = 0;
    Lcp_Options options;  // of a Configure-Request this side built
    Ppp_Bytes data;       // the octets after the header
    uint32_t tick = 0;    // milliseconds

    bool is(Lcp_Code which) const { return code == static_cast<uint8_t>(which); }
    // Header and data as they go on the line.
    Ppp_Bytes serialise() const;
};

// Code, identifier, length (high octet first) and data: the layout LCP and
// CHAP packets share on the line.
Ppp_Bytes serialise_control_packet(uint8_t code, uint8_t identifier, uint16_t length, std::span<const uint8_t> data);

// A packet of a code with its data; the length follows from the data.
Lcp_Packet make_lcp_packet(Lcp_Code code, uint8_t identifier, Ppp_Bytes data, uint32_t tick);

// A received packet, or a text saying why it was refused: shorter than its
// header, or a length field outside the header and the packet. Octets after
// the length are padding and are dropped.
std::variant<Lcp_Packet, std::string> parse_lcp_packet(std::span<const uint8_t> octets, uint32_t tick);

namespace lcp_refusal {
inline constexpr const char* kShorterThanHeader = "LCP packet refused: shorter than its 4-octet header";
inline constexpr const char* kLengthPastEnd = "LCP packet refused: its length field is larger than the packet";
inline constexpr const char* kLengthBelowHeader = "LCP packet refused: its length field is below 4";
}  // namespace lcp_refusal

// The identifiers of the packets this side builds: one 8-bit counter for
// the process, taken and then increased; it wraps from 255 to 0.
uint8_t next_lcp_identifier();
// Back to 0, as a new PPP layer starts.
void reset_lcp_identifiers();
