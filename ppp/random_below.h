// The random draws of the PPP layer (challenge values, injected frame
// faults): a uniform integer in 0 to n - 1, 0 when n is 0. The engine binds
// the program's one generator; tests bind a seeded one.
#pragma once

#include <cstdint>
#include <functional>

using Random_Below = std::function<uint32_t(uint32_t n)>;
