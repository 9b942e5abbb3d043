#include "ppp/lcp_options.h"

#include <algorithm>
#include <array>

namespace {

// The octets of each option this side sends, whatever the set's values.
constexpr std::array<uint8_t, 4> kMruOption = {0x01, 0x04, 0x05, 0xDC};  // 1500
constexpr std::array<uint8_t, 6> kAccmOption = {0x02, 0x06, 0xFF, 0xFF, 0xFF, 0x20};
constexpr std::array<uint8_t, 5> kChapMd5Option = {0x03, 0x05, 0xC2, 0x23, 0x05};
constexpr std::array<uint8_t, 4> kQualityOption = {0x04, 0x04, 0xC0, 0x25};
constexpr std::array<uint8_t, 6> kMagicOption = {0x05, 0x06, 0x00, 0x00, 0x87, 0xFE};
constexpr std::array<uint8_t, 2> kPfcOption = {0x07, 0x02};
constexpr std::array<uint8_t, 2> kAcfcOption = {0x08, 0x02};

// The values a peer's request must carry to be acknowledged, and the
// options a Nak proposes in their place.
constexpr std::array<uint8_t, 2> kAcceptedMru = {0x05, 0xDC};
constexpr std::array<uint8_t, 4> kAcceptedAccm = {0x00, 0x00, 0x00, 0x00};
constexpr std::array<uint8_t, 3> kAcceptedAuthentication = {0xC2, 0x23, 0x05};
constexpr std::array<uint8_t, 6> kNakAccm = {0x02, 0x06, 0x00, 0x00, 0x00, 0x00};
constexpr std::array<uint8_t, 6> kNakMagic = {0x05, 0x06, 0x00, 0x00, 0x00, 0x00};
constexpr std::array<uint8_t, 4> kZeroMagic = {0x00, 0x00, 0x00, 0x00};

// Types a Configure-Reject copies unchanged.
constexpr std::array<uint8_t, 6> kCopiedOnReject = {
    lcp_option::kReserved,    lcp_option::kFcsAlternatives, lcp_option::kSelfDescribingPad,
    lcp_option::kNumberedMode, lcp_option::kCallback,       lcp_option::kFurtherFlag};

constexpr size_t kOptionHeader = 2;

template <size_t N>
bool equals(const Ppp_Bytes& value, const std::array<uint8_t, N>& expected) {
    return std::equal(value.begin(), value.end(), expected.begin(), expected.end());
}

template <size_t N>
void append(Ppp_Bytes& out, const std::array<uint8_t, N>& octets) {
    out.insert(out.end(), octets.begin(), octets.end());
}

}  // namespace

std::vector<uint8_t> Lcp_Options::enabled_types() const {
    std::vector<uint8_t> types;
    const auto enable = [&](bool on, uint8_t type) {
        if (on) types.push_back(type);
    };
    enable(maximum_receive_unit != 0, lcp_option::kMaximumReceiveUnit);
    enable(!async_control_character_map.empty(), lcp_option::kAsyncControlCharacterMap);
    enable(authentication_protocol != 0, lcp_option::kAuthenticationProtocol);
    enable(quality_protocol != 0, lcp_option::kQualityProtocol);
    enable(magic_number != 0, lcp_option::kMagicNumber);
    enable(protocol_field_compression == 1, lcp_option::kProtocolFieldCompression);
    enable(address_control_field_compression == 1, lcp_option::kAddressControlFieldCompression);
    enable(reserved != 0, lcp_option::kReserved);
    enable(fcs_alternatives != 0, lcp_option::kFcsAlternatives);
    enable(self_describing_pad == 1, lcp_option::kSelfDescribingPad);
    enable(numbered_mode == 1, lcp_option::kNumberedMode);
    enable(callback == 1, lcp_option::kCallback);
    enable(further_flag == 1, lcp_option::kFurtherFlag);
    return types;
}

Ppp_Bytes encode_request_options(const Lcp_Options& options) {
    Ppp_Bytes out;
    for (uint8_t type : options.enabled_types()) {
        switch (type) {
        case lcp_option::kMaximumReceiveUnit: append(out, kMruOption); break;
        // The map sent is fixed; the set's map text only enables the option.
        case lcp_option::kAsyncControlCharacterMap: append(out, kAccmOption); break;
        // Whatever protocol the set names, the option offers CHAP with MD5.
        case lcp_option::kAuthenticationProtocol: append(out, kChapMd5Option); break;
        case lcp_option::kQualityProtocol: append(out, kQualityOption); break;
        case lcp_option::kMagicNumber: append(out, kMagicOption); break;
        case lcp_option::kProtocolFieldCompression: append(out, kPfcOption); break;
        case lcp_option::kAddressControlFieldCompression: append(out, kAcfcOption); break;
        default: break;  // enabled, but sent as no octets
        }
    }
    return out;
}

std::variant<std::vector<Lcp_Option>, std::string> parse_options(std::span<const uint8_t> octets) {
    std::vector<Lcp_Option> options;
    size_t at = 0;
    while (at < octets.size()) {
        if (octets.size() - at < kOptionHeader) return std::string(lcp_refusal::kOptionPastEnd);
        const size_t length = octets[at + 1];
        if (length < kOptionHeader) return std::string(lcp_refusal::kOptionTooShort);
        if (length > octets.size() - at) return std::string(lcp_refusal::kOptionPastEnd);
        const auto value = octets.subspan(at + kOptionHeader, length - kOptionHeader);
        options.push_back({octets[at], Ppp_Bytes(value.begin(), value.end())});
        at += length;
    }
    return options;
}

Request_Check check_request(const std::vector<Lcp_Option>& options) {
    Request_Check check;
    bool nak = false;
    for (const Lcp_Option& option : options) {
        switch (option.type) {
        case lcp_option::kMaximumReceiveUnit: nak |= !equals(option.value, kAcceptedMru); break;
        case lcp_option::kAsyncControlCharacterMap: nak |= !equals(option.value, kAcceptedAccm); break;
        case lcp_option::kAuthenticationProtocol: nak |= !equals(option.value, kAcceptedAuthentication); break;
        case lcp_option::kQualityProtocol: nak = true; break;
        case lcp_option::kMagicNumber:
            check.has_magic_number = true;
            check.magic_number = option.value;
            break;
        default:  // type 0, and 6 and above
            check.event = Lcp_Event::rcr_rej;
            return check;
        }
    }
    check.event = nak ? Lcp_Event::rcr_nak : Lcp_Event::rcr_plus;
    return check;
}

Ppp_Bytes nak_options(const std::vector<Lcp_Option>& options) {
    Ppp_Bytes out;
    for (const Lcp_Option& option : options) {
        switch (option.type) {
        case lcp_option::kMaximumReceiveUnit:
            if (!equals(option.value, kAcceptedMru)) append(out, kMruOption);
            break;
        case lcp_option::kAsyncControlCharacterMap:
            if (!equals(option.value, kAcceptedAccm)) append(out, kNakAccm);
            break;
        case lcp_option::kAuthenticationProtocol:
            if (!equals(option.value, kAcceptedAuthentication)) append(out, kChapMd5Option);
            break;
        case lcp_option::kQualityProtocol: append(out, kQualityOption); break;
        case lcp_option::kMagicNumber:
            if (!equals(option.value, kZeroMagic)) append(out, kNakMagic);
            break;
        default: return out;  // the options so far form the Nak
        }
    }
    return out;
}

Ppp_Bytes reject_options(const std::vector<Lcp_Option>& options) {
    Ppp_Bytes out;
    for (const Lcp_Option& option : options) {
        if (std::find(kCopiedOnReject.begin(), kCopiedOnReject.end(), option.type) != kCopiedOnReject.end()) {
            out.push_back(option.type);
            out.push_back(static_cast<uint8_t>(option.value.size() + kOptionHeader));
            out.insert(out.end(), option.value.begin(), option.value.end());
        } else if (option.type == lcp_option::kProtocolFieldCompression) {
            append(out, kPfcOption);
        } else if (option.type == lcp_option::kAddressControlFieldCompression) {
            append(out, kAcfcOption);
        }
    }
    return out;
}
