#include "cli/injection_list.h"

#include <charconv>
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

namespace {

// The next run of non-blank characters from `at` on; empty at the end.
std::string_view next_word(std::string_view line, size_t& at) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    const size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') ++at;
    return line.substr(start, at - start);
}

}  // namespace

std::optional<Inject_Line> parse_inject_line(const std::string& line) {
    size_t at = 0;
    if (next_word(line, at) != "inject") return std::nullopt;
    const std::string_view list = next_word(line, at);
    if (list.empty()) return std::nullopt;
    Inject_Line parsed;
    parsed.list = std::string(list);
    const std::string_view count = next_word(line, at);
    int value = 0;
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), value);
    if (error == std::errc() && end != count.data()) parsed.count = value;
    return parsed;
}
