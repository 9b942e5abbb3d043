#include "ui/dyn_defined.h"

#include <array>
#include <atomic>

namespace {
// Only the window thread touches the flags; atomics keep a stray reader safe.
std::array<std::atomic<bool>, dyn_defined::kLast + 1> flags{};

bool in_range(int number) { return number >= dyn_defined::kFirst && number <= dyn_defined::kLast; }
}  // namespace

namespace dyn_defined {
bool is_defined(int number) { return in_range(number) && flags[static_cast<size_t>(number)].load(); }

void mark(int number) {
    if (in_range(number)) flags[static_cast<size_t>(number)] = true;
}

void mark_all() {
    for (int n = kFirst; n <= kLast; ++n) mark(n);
}

void clear_all() {
    for (auto& flag : flags) flag = false;
}
}  // namespace dyn_defined
