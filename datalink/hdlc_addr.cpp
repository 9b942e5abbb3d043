#include "datalink/hdlc_addr.h"

#include "datalink/field_octets.h"
#include "datalink/pmpp_exception.h"
#include "datalink/pmpp_format.h"

namespace {

constexpr uint8_t kLastOctet = 0x01;  // extension bit: no address octet follows
constexpr uint8_t kGroupBit = 0x02;
constexpr uint16_t kBareFrameOctets = 0x0533;

}  // namespace

HDLC_Addr::HDLC_Addr(int32_t station, bool group) {
    if (station == pmpp::kBareFrameAddress) {
        length_ = 2;
        value_ = kBareFrameOctets;
        return;
    }
    // A negative station number is out of range like one of 8192 and above.
    const uint32_t address = static_cast<uint32_t>(station);
    const uint8_t last = static_cast<uint8_t>((address % 64) << 2 | (group ? kGroupBit : 0) | kLastOctet);
    if (address <= static_cast<uint32_t>(kLargestOneOctet)) {
        length_ = 1;
        value_ = last;
        return;
    }
    const uint32_t high = address / 64 > static_cast<uint32_t>(kHighPartLimit) ? kHighPartLimit : address / 64;
    length_ = 2;
    value_ = static_cast<uint16_t>(high << 9 | last);
}

HDLC_Addr HDLC_Addr::decode(std::span<const uint8_t> octets) {
    if (octets.empty()) throw InvalidLengthException(pmpp_error::kAddressLength);
    if (octets[0] & kLastOctet) return from_line(1, octets[0]);
    if (octets.size() < 2) throw InvalidLengthException(pmpp_error::kAddressLength);
    return from_line(2, static_cast<uint16_t>(octets[0] << 8 | octets[1]));
}

int32_t HDLC_Addr::station() const {
    const int32_t low = (value_ & 0xFF) >> 2;
    return length_ == 2 ? (value_ >> 9) * 64 + low : low;
}

void HDLC_Addr::append_to(Bytes& out) const { append_field_octets(out, length_, value_); }

Bytes HDLC_Addr::octets() const {
    Bytes out;
    append_to(out);
    return out;
}
