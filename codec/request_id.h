// The process-wide request-id counter: 0, 1, 2, ... on to the largest
// number, then round through the negative ones back to 0. Threads that
// encode at the same moment each get an id of their own.
#pragma once

#include <cstdint>

int32_t next_request_id();
