// The initial protocol identifier that follows the control field: one octet
// when bit 0 of its first octet is 1, else two octets, first octet high.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/bytes.h"

class IPI {
public:
    static constexpr uint16_t kIp = 0x0021;
    // The NTCIP Class B profile: the messages of the codec.
    static constexpr uint16_t kNtcipClassB = 0x00C1;
    // Also handed to the codec.
    static constexpr uint16_t kNtcipC0 = 0x00C0;
    static constexpr uint16_t kLcp = 0xC021;
    static constexpr uint16_t kChap = 0xC223;
    // The values this station knows, in the order it lists them.
    static constexpr std::array<uint16_t, 5> kKnown = {kIp, kNtcipClassB, kNtcipC0, kLcp, kChap};

    // Length 0: no IPI field.
    IPI() = default;
    IPI(int16_t length, uint16_t value) : length_(length), value_(value) {}

    // The IPI of a sent frame for a profile class: the one-octet Class B IPI
    // for exactly "Class B", none for any other name.
    static IPI for_class(std::string_view class_name);
    // Reads the IPI at the start of the octets; throws
    // InvalidByteSequenceException when it is cut short or not a known value.
    static IPI decode(std::span<const uint8_t> octets);

    int16_t length() const { return length_; }
    uint16_t value() const { return value_; }
    void append_to(Bytes& out) const;

    bool operator==(const IPI&) const = default;

private:
    int16_t length_ = 0;
    uint16_t value_ = 0;
};
