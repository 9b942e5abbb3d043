// CHAP (RFC 1994) with MD5: challenges this side builds, the answer to a
// peer's challenge, and the check of a peer's response.
//
// On the line: code, identifier, length (high octet first, counting the
// four header octets); Challenge and Response go on with a value-size
// octet, the value and the name; Success and Failure carry the header only.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "ppp/lcp_options.h"
#include "ppp/md5.h"
#include "ppp/random_below.h"

enum class Chap_Code : uint8_t {
    none = 0,  // a received packet shorter than the header
    challenge = 1,
    response = 2,
    success = 3,
    failure = 4,
};

inline constexpr size_t kChapHeaderLength = 4;
// The names this side gives in its challenges and in its responses.
inline constexpr std::string_view kChallengeName = "Central";
inline constexpr std::string_view kResponseName = "CENTRAL";
// A challenge value is 64 + random(192) octets.
inline constexpr uint32_t kShortestChallenge = 64;
inline constexpr uint32_t kChallengeSpread = 192;

struct Chap_Packet {
    Chap_Code code = Chap_Code::none;
    uint16_t length = 0;
    Ppp_Bytes data;  // the octets after the header
    uint8_t identifier = 0;
    std::string secret;
    Ppp_Bytes value;
    std::string name;

    Ppp_Bytes serialise() const;
};

// A received packet, or a text saying why it was refused. A packet shorter
// than the header parses as code none, identifier 0, its own length and no
// data.
std::variant<Chap_Packet, std::string> parse_chap_packet(std::span<const uint8_t> octets);

namespace chap_refusal {
inline constexpr const char* kLengthPastEnd = "CHAP packet refused: its length field is larger than the packet";
inline constexpr const char* kLengthBelowHeader = "CHAP packet refused: its length field is below 4";
inline constexpr const char* kNoValueSize = "CHAP packet refused: it has no value size";
inline constexpr const char* kValuePastEnd = "CHAP packet refused: its value size runs past the end of the packet";
}  // namespace chap_refusal

// A challenge with the next identifier of the process's challenge counter
// (taken, then increased) and a value of 64 to 255 random octets.
Chap_Packet build_challenge(const Random_Below& random);
// The response to a challenge: MD5 over its identifier, the secret and its
// value.
Chap_Packet answer_challenge(const Chap_Packet& challenge, std::string_view secret);
// Whether a response carries, in its first 16 value octets, the MD5 this
// side expects for its own challenge. A shorter value does not.
bool response_matches(const Chap_Packet& challenge, std::string_view secret, const Chap_Packet& response);
// Success or Failure (header only) with the response's identifier.
Chap_Packet build_verdict(bool success, uint8_t identifier);

// The MD5 of CHAP: identifier octet, secret, challenge value.
Md5_Digest chap_digest(uint8_t identifier, std::string_view secret, std::span<const uint8_t> challenge_value);
