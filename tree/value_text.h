// Values and their text forms: integer contents, hexadecimal octet text and
// object identifiers as BER content and as dotted text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "base/hex_byte.h"

// The contents of a 32-bit integer, held without the heap.
struct Integer_Octets {
    std::array<uint8_t, 5> octets{};
    uint8_t size = 0;
    std::span<const uint8_t> view() const { return {octets.data(), size}; }
};

// Integer contents, most significant octet first, without leading zero
// octets but with a 00 in front when the first octet has its top bit set:
// 0 -> 00, 127 -> 7F, 128 -> 00 80.
Integer_Octets unsigned_octets(uint32_t value);
Bytes encode_unsigned(uint32_t value);

// Two's complement contents of a signed number. Negative numbers are made
// from the unsigned contents of their magnitude, inverted and incremented;
// when the magnitude's top octet is above 0x7F an FF goes in front, so -128
// comes out as FF 80 (one octet longer than needed, the same value).
Integer_Octets signed_octets(int32_t value);
Bytes encode_signed(int32_t value);

// The octets as hex digit pairs separated by one blank.
std::string hex_text(const Bytes& octets);
// Hex text read in steps of three characters (two digits and any
// separator); reading stops at the first pair that is not two hex digits.
Bytes bytes_from_hex_text(std::string_view text);

// Dotted text (pieces between runs of ".") to the standard BER content of an
// OBJECT IDENTIFIER: the first two numbers combined as 40 * first + second.
// An empty text gives an empty content; nothing when a piece is not a number.
std::optional<Bytes> ber_oid_from_dotted(std::string_view text);
// BER content of an OBJECT IDENTIFIER to dotted text.
std::string dotted_from_ber_oid(const Bytes& content);

// A two's complement number of any length in decimal; an empty content is "0".
std::string decimal_from_twos_complement(const Bytes& content);

// Four octets as a dotted quad: 192.168.0.1.
std::string dotted_quad(const Bytes& octets);
// A dotted quad (four decimal numbers of 0 to 255) as its four octets;
// nothing for any other text.
std::optional<Bytes> ip_address_from_text(std::string_view text);

// True when every octet is a printable character.
bool all_printable(const Bytes& octets);
