#include "ppp/chap.h"

#include <algorithm>
#include <atomic>

#include "ppp/lcp_packet.h"

namespace {

std::atomic<uint8_t> challenge_counter{0};

bool has_value(Chap_Code code) { return code == Chap_Code::challenge || code == Chap_Code::response; }

std::span<const uint8_t> text_octets(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Header, then value size, value and name for the codes that carry them.
void fill_line_fields(Chap_Packet& packet) {
    packet.data.clear();
    if (has_value(packet.code)) {
        packet.data.push_back(static_cast<uint8_t>(packet.value.size()));
        packet.data.insert(packet.data.end(), packet.value.begin(), packet.value.end());
        packet.data.insert(packet.data.end(), packet.name.begin(), packet.name.end());
    }
    packet.length = static_cast<uint16_t>(kChapHeaderLength + packet.data.size());
}

}  // namespace

Ppp_Bytes Chap_Packet::serialise() const {
    return serialise_control_packet(static_cast<uint8_t>(code), identifier, length, data);
}

std::variant<Chap_Packet, std::string> parse_chap_packet(std::span<const uint8_t> octets) {
    Chap_Packet packet;
    if (octets.size() < kChapHeaderLength) {
        packet.length = static_cast<uint16_t>(octets.size());
        return packet;
    }
    packet.code = static_cast<Chap_Code>(octets[0]);
    packet.identifier = octets[1];
    packet.length = static_cast<uint16_t>(octets[2] << 8 | octets[3]);
    if (packet.length < kChapHeaderLength) return std::string(chap_refusal::kLengthBelowHeader);
    if (packet.length > octets.size()) return std::string(chap_refusal::kLengthPastEnd);
    const auto data = octets.subspan(kChapHeaderLength, packet.length - kChapHeaderLength);
    packet.data.assign(data.begin(), data.end());
    if (!has_value(packet.code)) return packet;
    if (data.empty()) return std::string(chap_refusal::kNoValueSize);
    const size_t value_size = data[0];
    if (value_size > data.size() - 1) return std::string(chap_refusal::kValuePastEnd);
    packet.value.assign(data.begin() + 1, data.begin() + 1 + static_cast<std::ptrdiff_t>(value_size));
    packet.name.assign(data.begin() + 1 + static_cast<std::ptrdiff_t>(value_size), data.end());
    return packet;
}

Md5_Digest chap_digest(uint8_t identifier, std::string_view secret, std::span<const uint8_t> challenge_value) {
    Md5 hash;
    hash.update(std::span(&identifier, 1));
    hash.update(text_octets(secret));
    hash.update(challenge_value);
    return hash.finish();
}

Chap_Packet build_challenge(const Random_Below& random) {
    Chap_Packet packet;
    packet.code = Chap_Code::challenge;
    packet.identifier = challenge_counter.fetch_add(1);
    packet.value.resize(kShortestChallenge + random(kChallengeSpread));
    for (uint8_t& octet : packet.value) octet = static_cast<uint8_t>(random(256));
    packet.name = kChallengeName;
    fill_line_fields(packet);
    return packet;
}

Chap_Packet answer_challenge(const Chap_Packet& challenge, std::string_view secret) {
    Chap_Packet packet;
    packet.code = Chap_Code::response;
    packet.identifier = challenge.identifier;
    packet.secret = secret;
    const Md5_Digest digest = chap_digest(challenge.identifier, secret, challenge.value);
    packet.value.assign(digest.begin(), digest.end());
    packet.name = kResponseName;
    fill_line_fields(packet);
    return packet;
}

bool response_matches(const Chap_Packet& challenge, std::string_view secret, const Chap_Packet& response) {
    const Md5_Digest expected = chap_digest(challenge.identifier, secret, challenge.value);
    return response.value.size() >= expected.size() &&
           std::equal(expected.begin(), expected.end(), response.value.begin());
}

Chap_Packet build_verdict(bool success, uint8_t identifier) {
    Chap_Packet packet;
    packet.code = success ? Chap_Code::success : Chap_Code::failure;
    packet.identifier = identifier;
    fill_line_fields(packet);
    return packet;
}
