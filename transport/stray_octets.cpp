#include "transport/stray_octets.h"

#include "base/hex_byte.h"

bool Stray_Octets::add(uint8_t octet, int64_t now_ms) {
    if (count_ == 0) started_ms_ = now_ms;
    if (count_ < kShown) first_[count_] = octet;
    ++count_;
    return now_ms != 0 && now_ms - started_ms_ >= kLongestRunMs;
}

std::string Stray_Octets::take(const char* prefix) {
    std::string line = prefix;
    for (size_t i = 0; i < count_ && i < kShown; ++i) {
        line += ' ';
        append_hex_byte(line, first_[i]);
    }
    if (count_ > kShown) line += " ...";
    if (count_ > 1) line += " (" + std::to_string(count_) + " octets)";
    count_ = 0;
    return line;
}
