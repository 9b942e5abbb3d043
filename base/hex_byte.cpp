#include "base/hex_byte.h"

std::string hex_byte(uint8_t octet) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[octet >> 4], kDigits[octet & 0x0F]};
}
