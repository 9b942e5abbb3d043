// The LCP option set this side offers in its Configure-Request, and the
// checks and answers for a peer's Configure-Request, option by option.
//
// An option on the line is type (1 octet), length (1 octet, counting type
// and length) and length - 2 value octets.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "ppp/ppp_codes.h"

using Ppp_Bytes = std::vector<uint8_t>;

// The option types.
namespace lcp_option {
inline constexpr uint8_t kReserved = 0;
inline constexpr uint8_t kMaximumReceiveUnit = 1;
inline constexpr uint8_t kAsyncControlCharacterMap = 2;
inline constexpr uint8_t kAuthenticationProtocol = 3;
inline constexpr uint8_t kQualityProtocol = 4;
inline constexpr uint8_t kMagicNumber = 5;
inline constexpr uint8_t kProtocolFieldCompression = 7;
inline constexpr uint8_t kAddressControlFieldCompression = 8;
inline constexpr uint8_t kFcsAlternatives = 9;
inline constexpr uint8_t kSelfDescribingPad = 10;
inline constexpr uint8_t kNumberedMode = 11;
inline constexpr uint8_t kCallback = 13;
inline constexpr uint8_t kFurtherFlag = 16;
}  // namespace lcp_option

// Authentication protocols as the option set names them.
inline constexpr uint32_t kPapProtocol = 0xC023;
inline constexpr uint32_t kChapProtocol = 0xC223;

// The option set of this side's Configure-Request, fields in their order.
// Each enables one option type; the octets sent for an enabled option are
// fixed (encode_request_options), the set only decides which are present.
struct Lcp_Options {
    uint32_t maximum_receive_unit = 1500;        // type 1, when not 0
    std::string async_control_character_map;     // type 2, when not empty
    uint32_t authentication_protocol = kChapProtocol;  // type 3, when not 0
    uint32_t quality_protocol = 0;               // type 4, when not 0
    uint32_t magic_number = 0;                   // type 5, when not 0
    uint8_t protocol_field_compression = 0;      // type 7, when 1
    uint8_t address_control_field_compression = 0;  // type 8, when 1
    uint32_t reserved = 0;                       // type 0, when not 0
    uint32_t fcs_alternatives = 0;               // type 9, when not 0
    uint8_t self_describing_pad = 0;             // type 10, when 1
    uint8_t numbered_mode = 0;                   // type 11, when 1
    uint8_t callback = 0;                        // type 13, when 1
    uint8_t further_flag = 0;                    // type 16, when 1

    // The enabled types in the order of the fields: 1, 2, 3, 4, 5, 7, 8, 0,
    // 9, 10, 11, 13, 16.
    std::vector<uint8_t> enabled_types() const;
    bool operator==(const Lcp_Options&) const = default;
};

// The options of a Configure-Request built from the set.
Ppp_Bytes encode_request_options(const Lcp_Options& options);

// One option as received: its type and its value octets.
struct Lcp_Option {
    uint8_t type = 0;
    Ppp_Bytes value;
    bool operator==(const Lcp_Option&) const = default;
};

// Splits the options of a received packet; a text saying why when an
// option's length is below 2 or runs past the end.
std::variant<std::vector<Lcp_Option>, std::string> parse_options(std::span<const uint8_t> octets);

namespace lcp_refusal {
inline constexpr const char* kOptionTooShort = "LCP packet refused: an option's length is below 2";
inline constexpr const char* kOptionPastEnd = "LCP packet refused: an option runs past the end of the packet";
}  // namespace lcp_refusal

// What a peer's Configure-Request calls for: RCR+ (all acceptable),
// RCR-(nak) or RCR-(rej); the magic number it carries, if any.
struct Request_Check {
    Lcp_Event event = Lcp_Event::rcr_plus;
    bool has_magic_number = false;
    Ppp_Bytes magic_number;
};
Request_Check check_request(const std::vector<Lcp_Option>& options);

// The options of the Configure-Nak and of the Configure-Reject answering a
// peer's Configure-Request.
Ppp_Bytes nak_options(const std::vector<Lcp_Option>& options);
Ppp_Bytes reject_options(const std::vector<Lcp_Option>& options);
