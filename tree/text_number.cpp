#include "tree/text_number.h"

#include <limits>

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

uint32_t leading_decimal(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    }
    return static_cast<uint32_t>(value);
}

int32_t leading_signed_decimal(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const int64_t magnitude = leading_decimal(text);
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

std::optional<uint64_t> whole_unsigned_decimal(std::string_view text) {
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::optional<int64_t> whole_signed_decimal(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto magnitude = whole_unsigned_decimal(text);
    if (!magnitude) return std::nullopt;
    constexpr uint64_t kMaxPositive = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (negative) {
        if (*magnitude > kMaxPositive + 1) return std::nullopt;
        return static_cast<int64_t>(0 - *magnitude);
    }
    if (*magnitude > kMaxPositive) return std::nullopt;
    return static_cast<int64_t>(*magnitude);
}
