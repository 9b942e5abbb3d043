// The error-injection switches as the command line names them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr const char* kSwitchNames[8] = {"extra-byte", "remove-byte", "change-byte", "edit",
                                               "bad-crc",    "bad-control", "bad-address", "no-response"};

// The eight switches of a comma-separated list ("none" or "" for none);
// nothing, with the unknown name in `unknown`, when a name is not one of them.
std::optional<std::array<uint8_t, 8>> parse_injection_list(const std::string& list, std::string& unknown);

// A control line of the field device, "inject LIST [COUNT]": the list and the
// count (0 when it is missing or not a number that fits); nothing for any
// other line.
struct Inject_Line {
    std::string list;
    int count = 0;
};
std::optional<Inject_Line> parse_inject_line(const std::string& line);
