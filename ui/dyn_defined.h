// Which dynamic objects the user has defined in this run: set when the
// definition window's OK programmed one into the device, and for all
// thirteen when a ".dyn" file was loaded. Clear at start-up.
#pragma once

namespace dyn_defined {
inline constexpr int kFirst = 1;
inline constexpr int kLast = 13;

bool is_defined(int number);
void mark(int number);
void mark_all();
void clear_all();  // a fresh start, for tests
}  // namespace dyn_defined
