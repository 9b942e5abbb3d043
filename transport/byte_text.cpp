#include "transport/byte_text.h"

#include <algorithm>

#include "base/hex_byte.h"

std::string byte_text(std::span<const uint8_t> bytes) {
    const size_t shown = std::min(bytes.size(), byte_text_rule::kMostBytesShown);
    std::string text;
    text.reserve(shown * 3 + shown / 25 + 1);
    for (size_t i = 0; i < shown; ++i) {
        text += hex_byte(bytes[i]);
        text += ' ';
        const size_t pair = i + 1;
        if (pair >= 26 && (pair - 26) % 25 == 0) text += '\n';
    }
    return text;
}

std::string frame_dump(std::span<const uint8_t> bytes) {
    if (bytes.size() * 3 > byte_text_rule::kLongestDump) return byte_text_rule::kTooLarge;
    std::string text;
    text.reserve(bytes.size() * 3);
    for (uint8_t byte : bytes) {
        text += hex_byte(byte);
        text += ' ';
    }
    return text;
}
