#include "base/hex_byte.h"

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}  // namespace

std::string hex_byte(uint8_t octet) { return {kDigits[octet >> 4], kDigits[octet & 0x0F]}; }

void append_hex_byte(std::string& text, uint8_t octet) {
    text += kDigits[octet >> 4];
    text += kDigits[octet & 0x0F];
}
