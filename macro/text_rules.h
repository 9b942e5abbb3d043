// How the macro language turns text into numbers and back, and its 32-bit
// number rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The digits as a 32-bit integer, wrapping past 2^32 as 32-bit arithmetic does.
int32_t integer_literal_value(std::string_view digits);
// The integer part plus the fraction digits over 10 to the power of their count.
float float_literal_value(std::string_view whole, std::string_view fraction);

// A string literal's characters with \n \t \r \f \0 \' \" \\ resolved; a
// backslash before any other character stays. The text ends at a zero byte,
// as texts handed on as C strings do.
std::string resolve_escapes(std::string_view raw);

// The leading decimal number of a text (blanks, an optional sign, digits),
// 0 when there is none; kept within 32 bits.
int32_t leading_number(std::string_view text);
// The leading decimal floating-point number of a text, 0 when there is none.
float leading_float(std::string_view text);

// A float as the nearest 32-bit float; beyond its range, infinity.
float to_float(long double value);
// Toward zero, saturating at the 32-bit range; NaN gives 0.
int32_t truncate_to_int(long double value);

// "%ld" and "%g".
std::string int_text(int32_t value);
std::string float_text(float value);
