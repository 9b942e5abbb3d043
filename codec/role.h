// The two roles a station plays: the central system that sends requests and
// reads the responses, or the field device that answers them.
#pragma once

#include <cstdint>

enum class Role : int32_t {
    central = 1,
    field = 2,
};
