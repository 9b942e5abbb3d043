// A frame as the byte-stream edit window shows it: seven fields in frame
// order (opening flag, address, control, IPI, PDU, FCS, closing flag), each
// as hexadecimal pairs separated by one blank. The FCS field shows its two
// octets in reversed order, so that the 16-bit value reads high byte first;
// reading the fields back reverses it again, so an unchanged frame comes
// back unchanged.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "quorvan.h"

namespace byte_stream {
inline constexpr int kFieldCount = 7;
inline constexpr int kCrcField = 5;
inline constexpr std::size_t kMaxFrameBytes = 530;

using Fields = std::array<QString, kFieldCount>;

QString hex_text(const std::vector<uint8_t>& bytes);
// Hexadecimal pairs with blanks anywhere; nothing when a character is not a
// hexadecimal digit or a pair is incomplete.
std::optional<std::vector<uint8_t>> bytes_of(const QString& text);

// The fields of a frame by its positions; a position outside the frame or
// out of order gives empty fields from there on.
Fields fields_of(const Encoded_Frame& frame);

// The bytes of the fields, one after the other, with the FCS back in line
// order; nothing when a field is not hexadecimal or the frame would exceed
// kMaxFrameBytes.
bool write_fields(const Fields& fields, Encoded_Frame& frame);

// The octets the FCS is computed over: address, control, IPI and PDU.
std::optional<std::vector<uint8_t>> checked_bytes(const Fields& fields);

// The FCS field's text for a frame check sequence whose high byte is the
// first octet on the line.
QString crc_text(uint16_t fcs);
}  // namespace byte_stream
