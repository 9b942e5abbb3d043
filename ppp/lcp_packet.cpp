#include "ppp/lcp_packet.h"

#include <atomic>

namespace {
std::atomic<uint8_t> identifier_counter{0};
}  // namespace

uint8_t next_lcp_identifier() { return identifier_counter.fetch_add(1); }
void reset_lcp_identifiers() { identifier_counter.store(0); }

Ppp_Bytes serialise_control_packet(uint8_t code, uint8_t identifier, uint16_t length, std::span<const uint8_t> data) {
    Ppp_Bytes out;
    out.reserve(kLcpHeaderLength + data.size());
    out.push_back(code);
    out.push_back(identifier);
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.push_back(static_cast<uint8_t>(length & 0xFF));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Ppp_Bytes Lcp_Packet::serialise() const { return serialise_control_packet(code, identifier, length, data); }

Lcp_Packet make_lcp_packet(Lcp_Code code, uint8_t identifier, Ppp_Bytes data, uint32_t tick) {
    Lcp_Packet packet;
    packet.code = static_cast<uint8_t>(code);
    packet.identifier = identifier;
    packet.length = static_cast<uint16_t>(kLcpHeaderLength + data.size());
    packet.data = std::move(data);
    packet.tick = tick;
    return packet;
}

std::variant<Lcp_Packet, std::string> parse_lcp_packet(std::span<const uint8_t> octets, uint32_t tick) {
    if (octets.size() < kLcpHeaderLength) return std::string(lcp_refusal::kShorterThanHeader);
    Lcp_Packet packet;
    packet.code = octets[0];
    packet.identifier = octets[1];
    packet.length = static_cast<uint16_t>(octets[2] << 8 | octets[3]);
    if (packet.length < kLcpHeaderLength) return std::string(lcp_refusal::kLengthBelowHeader);
    if (packet.length > octets.size()) return std::string(lcp_refusal::kLengthPastEnd);
    const auto data = octets.subspan(kLcpHeaderLength, packet.length - kLcpHeaderLength);
    packet.data.assign(data.begin(), data.end());
    packet.tick = tick;
    return packet;
}
