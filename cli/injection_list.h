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
