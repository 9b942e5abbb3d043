// The field device's control lines ("inject LIST [COUNT]") as anyone types
// or pipes them: a line is taken with its list and count, or ignored, and a
// list names known switches or is refused with the unknown name.
#include <cstdint>
#include <optional>
#include <string>

#include "cli/injection_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::optional<Inject_Line> inject = parse_inject_line(line);
    if (!inject) return 0;
    if (inject->list.empty()) __builtin_trap();
    std::string unknown;
    const auto switches = parse_injection_list(inject->list, unknown);
    // A refused list names the piece it did not know.
    if (!switches && inject->list.find(unknown) == std::string::npos) __builtin_trap();
    return 0;
}
