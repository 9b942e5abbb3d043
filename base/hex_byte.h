// One octet as the station writes it in every trace and dump: two
// upper-case hexadecimal digits.
#pragma once

#include <cstdint>
#include <string>

std::string hex_byte(uint8_t octet);
// The same two digits appended in place.
void append_hex_byte(std::string& text, uint8_t octet);
