// Frames as the line-activity display shows them: upper-case hexadecimal
// pairs, each followed by a blank.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace byte_text_rule {
inline constexpr size_t kMostBytesShown = 512;     // of a frame sent by SendData
inline constexpr size_t kLongestDump = 1024;        // characters of a frame shown by the transport
inline constexpr const char* kTooLarge = "Message too large to display";
}  // namespace byte_text_rule

// The send calls' byte text: a line break after the 26th pair and after
// every 25th pair from there; at most the first 512 bytes.
std::string byte_text(std::span<const uint8_t> bytes);

// The transport's dump of a frame: the same pairs, or kTooLarge when they
// would take more than kLongestDump characters.
std::string frame_dump(std::span<const uint8_t> bytes);
