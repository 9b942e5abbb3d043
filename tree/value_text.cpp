#include "tree/value_text.h"

#include "base/hex_byte.h"

#include <algorithm>
#include <charconv>

#include "tree/oid.h"

Integer_Octets unsigned_octets(uint32_t value) {
    Integer_Octets out;
    int shift = 24;
    while (shift > 0 && static_cast<uint8_t>(value >> shift) == 0) shift -= 8;
    if (static_cast<uint8_t>(value >> shift) >= 0x80) out.octets[out.size++] = 0x00;
    for (; shift >= 0; shift -= 8) out.octets[out.size++] = static_cast<uint8_t>(value >> shift);
    return out;
}

Bytes encode_unsigned(uint32_t value) {
    const Integer_Octets octets = unsigned_octets(value);
    return Bytes(octets.view().begin(), octets.view().end());
}

Integer_Octets signed_octets(int32_t value) {
    if (value >= 0) return unsigned_octets(static_cast<uint32_t>(value));
    // Two's complement in the fewest octets: a leading FF goes while the
    // octet after it still carries the sign (X.690 8.3.2).
    const uint32_t bits = static_cast<uint32_t>(value);
    int shift = 24;
    while (shift > 0 && static_cast<uint8_t>(bits >> shift) == 0xFF && (static_cast<uint8_t>(bits >> (shift - 8)) & 0x80) != 0)
        shift -= 8;
    Integer_Octets out;
    for (; shift >= 0; shift -= 8) out.octets[out.size++] = static_cast<uint8_t>(bits >> shift);
    return out;
}

Bytes encode_signed(int32_t value) {
    const Integer_Octets octets = signed_octets(value);
    return Bytes(octets.view().begin(), octets.view().end());
}

std::string hex_text(const Bytes& octets) {
    std::string text;
    text.reserve(octets.size() * 3);
    for (size_t i = 0; i < octets.size(); ++i) {
        if (i != 0) text += ' ';
        append_hex_byte(text, octets[i]);
    }
    return text;
}

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

Bytes bytes_from_hex_text(std::string_view text) {
    Bytes out;
    for (size_t pos = 0; pos + 1 < text.size(); pos += 3) {
        const int high = hex_digit(text[pos]);
        const int low = hex_digit(text[pos + 1]);
        if (high < 0 || low < 0) break;
        out.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return out;
}

std::optional<Bytes> ber_oid_from_dotted(std::string_view text) {
    if (text.empty()) return Bytes{};
    const auto numbers = parse_dotted(text);
    if (!numbers) return std::nullopt;
    Bytes out;
    if (numbers->size() == 1) {
        append_subidentifier(out, numbers->front());
        return out;
    }
    const uint64_t combined = uint64_t{40} * (*numbers)[0] + (*numbers)[1];
    if (combined > 0xFFFFFFFFull) return std::nullopt;
    append_subidentifier(out, static_cast<uint32_t>(combined));
    for (size_t i = 2; i < numbers->size(); ++i) append_subidentifier(out, (*numbers)[i]);
    return out;
}

namespace {

void append_decimal(std::string& text, uint64_t value) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

}  // namespace

std::string dotted_from_ber_oid(const Bytes& content) {
    std::string text;
    uint64_t value = 0;
    bool first = true;
    auto emit = [&] {
        if (first) {
            // The first sub-identifier holds the first two arcs.
            const uint64_t arc1 = value < 40 ? 0 : value < 80 ? 1 : 2;
            append_decimal(text, arc1);
            text += '.';
            append_decimal(text, value - 40 * arc1);
            first = false;
        } else {
            text += '.';
            append_decimal(text, value);
        }
        value = 0;
    };
    bool inside = false;
    for (uint8_t octet : content) {
        value = ((value << 7) | (octet & 0x7Fu)) & 0xFFFFFFFFFFull;
        inside = (octet & 0x80) != 0;
        if (!inside) emit();
    }
    if (inside) emit();  // a sub-identifier cut short is shown as far as it goes
    return text;
}

std::string decimal_from_twos_complement(const Bytes& content) {
    if (content.empty()) return "0";
    const bool negative = content.front() >= 0x80;
    if (content.size() <= 8) {
        // Eight octets of two's complement fit a 64-bit number exactly.
        uint64_t value = negative ? ~uint64_t{0} : 0;
        for (uint8_t octet : content) value = value << 8 | octet;
        return std::to_string(static_cast<int64_t>(value));
    }
    Bytes magnitude = content;
    if (negative) {
        for (uint8_t& octet : magnitude) octet = static_cast<uint8_t>(~octet);
        for (auto it = magnitude.rbegin(); it != magnitude.rend(); ++it) {
            if (++*it != 0) break;
        }
    }
    // The inverted-plus-one magnitude of a negative number is never zero.
    // Repeated division by ten, most significant octet first.
    std::string digits;
    auto begin = std::find_if(magnitude.begin(), magnitude.end(), [](uint8_t o) { return o != 0; });
    while (begin != magnitude.end()) {
        unsigned remainder = 0;
        for (auto it = begin; it != magnitude.end(); ++it) {
            const unsigned current = remainder << 8 | *it;
            *it = static_cast<uint8_t>(current / 10);
            remainder = current % 10;
        }
        digits.push_back(static_cast<char>('0' + remainder));
        begin = std::find_if(begin, magnitude.end(), [](uint8_t o) { return o != 0; });
    }
    if (digits.empty()) digits.push_back('0');
    if (negative) digits.push_back('-');
    std::reverse(digits.begin(), digits.end());
    return digits;
}

bool all_printable(const Bytes& octets) {
    return std::all_of(octets.begin(), octets.end(), [](uint8_t o) { return o >= 0x20 && o <= 0x7E; });
}

std::string dotted_quad(const Bytes& octets) {
    std::string text;
    for (size_t i = 0; i < octets.size(); ++i) {
        if (i != 0) text += '.';
        append_decimal(text, octets[i]);
    }
    return text;
}

std::optional<Bytes> ip_address_from_text(std::string_view text) {
    const auto numbers = parse_dotted(text);
    if (!numbers || numbers->size() != 4 || std::count(text.begin(), text.end(), '.') != 3) return std::nullopt;
    Bytes octets;
    for (uint32_t number : *numbers) {
        if (number > 255) return std::nullopt;
        octets.push_back(static_cast<uint8_t>(number));
    }
    return octets;
}
