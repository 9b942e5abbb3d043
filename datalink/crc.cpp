#include "datalink/crc.h"

#include <array>

#include "datalink/field_octets.h"
#include "datalink/pmpp_exception.h"
#include "datalink/pmpp_format.h"
#include "datalink/raw_message.h"

namespace {

// x^16 + x^12 + x^5 + 1, bit-reversed for least-significant-bit-first use.
constexpr uint16_t kReflectedPolynomial = 0x8408;

constexpr std::array<uint16_t, 256> make_table() {
    std::array<uint16_t, 256> table{};
    for (unsigned octet = 0; octet < 256; ++octet) {
        unsigned value = octet;
        for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? (value >> 1) ^ kReflectedPolynomial : value >> 1;
        table[octet] = static_cast<uint16_t>(value);
    }
    return table;
}

constexpr std::array<uint16_t, 256> kTable = make_table();

}  // namespace

uint16_t CRC::update(uint16_t fcs, std::span<const uint8_t> octets) {
    for (uint8_t octet : octets) fcs = static_cast<uint16_t>((fcs >> 8) ^ kTable[(fcs ^ octet) & 0xFF]);
    return fcs;
}

uint16_t CRC::calculate(std::span<const uint8_t> octets) {
    const uint16_t fcs = static_cast<uint16_t>(~update(kInitial, octets));
    // Low-order octet first on the line: it becomes the high byte here.
    return static_cast<uint16_t>((fcs << 8) | (fcs >> 8));
}

void CRC::append(Bytes& out, uint16_t value) { append_field_octets(out, 2, value); }

void CRC::validate(std::span<const uint8_t> body, Raw_Message& message) {
    if (body.size() < pmpp::kFcsLength) throw CRCException(pmpp_error::kCrcCannotBeValidated);
    message.fcs_residue = update(kInitial, body);
    if (message.fcs_residue != kGoodResidue) throw CRCException(pmpp_error::kInvalidCrc);
}
