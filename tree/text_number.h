// Reading numbers out of the texts of MIB files and configuration files.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The decimal number at the start of the text, as C's atoi reads a magnitude:
// leading blanks skipped, digits up to the first other character, 0 when
// there are none; values beyond 32 bits saturate at 4294967295.
uint32_t leading_decimal(std::string_view text);

// The same with an optional sign; the result saturates at the int32 range.
int32_t leading_signed_decimal(std::string_view text);

// The whole text as a signed decimal number (blanks around it allowed);
// nothing when it is not one or does not fit in 64 bits.
std::optional<int64_t> whole_signed_decimal(std::string_view text);

// The whole text as an unsigned decimal number made of digits only.
std::optional<uint64_t> whole_unsigned_decimal(std::string_view text);
