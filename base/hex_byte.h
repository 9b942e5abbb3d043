// One octet as the station writes it in every trace and dump: two
// upper-case hexadecimal digits.
#pragma once

#include <cstdint>
#include <string>

std::string hex_byte(uint8_t octet);
