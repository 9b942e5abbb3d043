#include "macro/text_rules.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

int32_t integer_literal_value(std::string_view digits) {
    uint32_t value = 0;
    for (char c : digits) value = value * 10u + static_cast<uint32_t>(c - '0');
    return static_cast<int32_t>(value);
}

float float_literal_value(std::string_view whole, std::string_view fraction) {
    long double integer = 0;
    for (char c : whole) integer = integer * 10 + (c - '0');
    long double part = 0;
    long double scale = 1;
    for (char c : fraction) {
        part = part * 10 + (c - '0');
        scale *= 10;
    }
    return to_float(integer + part / scale);
}

std::string resolve_escapes(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\\' && i + 1 < raw.size()) {
            const char e = raw[i + 1];
            char resolved = 0;
            bool known = true;
            switch (e) {
                case 'n': resolved = '\n'; break;
                case 't': resolved = '\t'; break;
                case 'r': resolved = '\r'; break;
                case 'f': resolved = '\f'; break;
                case '0': resolved = '\0'; break;
                case '\'': resolved = '\''; break;
                case '"': resolved = '"'; break;
                case '\\': resolved = '\\'; break;
                default: known = false; break;
            }
            if (known) {
                ++i;
                c = resolved;
            }
        }
        if (c == '\0') break;
        text += c;
    }
    return text;
}

int32_t leading_number(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\f' || text[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{1} << 32) value = int64_t{1} << 32;  // saturates below
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

float leading_float(std::string_view text) {
    const std::string copy(text);
    return to_float(std::strtold(copy.c_str(), nullptr));
}

float to_float(long double value) {
    if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
    if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

int32_t truncate_to_int(long double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0L) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0L) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

std::string int_text(int32_t value) { return std::to_string(value); }

std::string float_text(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}
