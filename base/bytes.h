// Byte strings: the one value type for octets on the line, in values and in files.
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;
