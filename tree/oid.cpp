#include "tree/oid.h"

#include "tree/text_number.h"

void append_subidentifier(Bytes& out, uint32_t value) {
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

Bytes encode_subidentifiers(const Oid_Numbers& numbers) {
    Bytes out;
    out.reserve(numbers.size() * 2);
    for (uint32_t number : numbers) append_subidentifier(out, number);
    return out;
}

std::optional<Oid_Numbers> decode_subidentifiers(const Bytes& octets) {
    Oid_Numbers numbers;
    uint64_t value = 0;
    bool inside = false;
    for (uint8_t octet : octets) {
        value = (value << 7) | (octet & 0x7Fu);
        if (value > 0xFFFFFFFFull) return std::nullopt;
        inside = (octet & 0x80) != 0;
        if (!inside) {
            numbers.push_back(static_cast<uint32_t>(value));
            value = 0;
        }
    }
    if (inside) return std::nullopt;
    return numbers;
}

std::optional<Oid_Numbers> parse_dotted(std::string_view text, bool blanks_separate) {
    auto separates = [&](char c) { return c == '.' || (blanks_separate && (c == ' ' || c == '\t')); };
    Oid_Numbers numbers;
    size_t pos = 0;
    while (pos < text.size()) {
        if (separates(text[pos])) {
            ++pos;
            continue;
        }
        size_t end = pos;
        while (end < text.size() && !separates(text[end])) ++end;
        const auto value = whole_unsigned_decimal(text.substr(pos, end - pos));
        if (!value || *value > 0xFFFFFFFFull) return std::nullopt;
        numbers.push_back(static_cast<uint32_t>(*value));
        pos = end;
    }
    if (numbers.empty()) return std::nullopt;
    return numbers;
}

std::string join_dotted(const Oid_Numbers& numbers) {
    std::string text;
    text.reserve(numbers.size() * 4);
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i != 0) text += '.';
        text += std::to_string(numbers[i]);
    }
    return text;
}

std::optional<Bytes> tree_from_standard(const Bytes& standard) {
    const auto numbers = decode_subidentifiers(standard);
    if (!numbers || numbers->empty()) return std::nullopt;
    const uint32_t first = numbers->front();
    const uint32_t arc1 = first < 40 ? 0 : first < 80 ? 1 : 2;
    Bytes out;
    append_subidentifier(out, arc1);
    append_subidentifier(out, first - 40 * arc1);
    for (size_t i = 1; i < numbers->size(); ++i) append_subidentifier(out, (*numbers)[i]);
    return out;
}
