// Writing a dynamic object's definition into the field device: five SNMP
// Sets into its dynObj table, one after another, a pause between them for
// the device to take each in.
#pragma once

#include <chrono>
#include <functional>

namespace dyn_obj_sync {
// Between the requests. QUORVAN_DYNOBJ_PAUSE_MS in the environment shortens
// it (for tests); otherwise one second.
std::chrono::milliseconds pause();
inline constexpr const char* kPauseVariable = "QUORVAN_DYNOBJ_PAUSE_MS";
inline constexpr int kMostObjects = 26;
inline constexpr size_t kMostOwner = 255;
}  // namespace dyn_obj_sync
