#include "cli/injection_list.h"

#include <string_view>

std::optional<std::array<uint8_t, 8>> parse_injection_list(const std::string& list, std::string& unknown) {
    std::array<uint8_t, 8> switches{};
    if (list.empty() || list == "none") return switches;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string_view name = std::string_view(list).substr(start, end - start);
        bool known = false;
        for (size_t i = 0; i < switches.size(); ++i) {
            if (name == kSwitchNames[i]) {
                switches[i] = 1;
                known = true;
            }
        }
        if (!known) {
            unknown = std::string(name);
            return std::nullopt;
        }
        start = end + 1;
    }
    return switches;
}
