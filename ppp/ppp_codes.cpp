#include "ppp/ppp_codes.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::string_view, kLcpStateCount> kStateNames = {
    "Initial", "Starting", "Closed", "Stopped", "Closing", "Stopping",
    "Request Sent", "Ack Received", "Ack Sent", "Opened",
};

constexpr std::array<std::string_view, 5> kPhaseNames = {
    "Dead", "Link Establishment", "Authentication", "Network", "Terminating",
};

// The events a name can choose, in the order names are tried.
constexpr std::array<std::pair<std::string_view, Lcp_Event>, 17> kEventNames = {{
    {"Up", Lcp_Event::up},
    {"Down", Lcp_Event::down},
    {"Open", Lcp_Event::open},
    {"Close", Lcp_Event::close},
    {"TO+", Lcp_Event::to_plus},
    {"TO-", Lcp_Event::to_minus},
    {"RCR+", Lcp_Event::rcr_plus},
    {"RCR-(nak)", Lcp_Event::rcr_nak},
    {"RCR-(rej)", Lcp_Event::rcr_rej},
    {"RCA", Lcp_Event::rca},
    {"RCN", Lcp_Event::rcn},
    {"RTR", Lcp_Event::rtr},
    {"RTA", Lcp_Event::rta},
    {"RUC", Lcp_Event::ruc},
    {"RXJ+", Lcp_Event::rxj_plus},
    {"RXJ-", Lcp_Event::rxj_minus},
    {"RXR", Lcp_Event::rxr},
}};

constexpr std::array<std::string_view, kLcpCodeCount> kDisplayNames = {
    "LCP Configure Request", "LCP Configure Ack",     "LCP Configure Nak", "LCP Configure Reject",
    "LCP Terminate Request", "LCP Terminate Ack",     "LCP Code Reject",   "LCP Protocol Reject",
    "LCP Echo Request",      "LCP Echo Reply ",       "LCP Discard Request",
};
constexpr std::string_view kInvalidCodeName = "LCP Invalid Code";

constexpr std::array<std::string_view, kLcpCodeCount> kRawNames = {
    "Configure-Request", "Configure-Ack", "Configure-Nak", "Configure-Reject", "Terminate-Request", "Terminate-Ack",
    "Code-Reject",       "Protocol-Reject", "Echo-Request", "Echo-Reply",     "Discard-Request",
};

}  // namespace

std::string_view state_name(int32_t state) {
    if (state < 0 || state >= kLcpStateCount) return kNoConnection;
    return kStateNames[static_cast<size_t>(state)];
}

std::string_view phase_name(int32_t phase) {
    if (phase < 0 || static_cast<size_t>(phase) >= kPhaseNames.size()) return {};
    return kPhaseNames[static_cast<size_t>(phase)];
}

std::string_view event_name(int32_t event) {
    switch (static_cast<Lcp_Event>(event)) {
    case Lcp_Event::rxj_plus_other: event = static_cast<int32_t>(Lcp_Event::rxj_plus); break;
    case Lcp_Event::rxj_minus_other: event = static_cast<int32_t>(Lcp_Event::rxj_minus); break;
    case Lcp_Event::rxr_echo_reply:
    case Lcp_Event::rxr_discard: event = static_cast<int32_t>(Lcp_Event::rxr); break;
    default: break;
    }
    for (const auto& [name, code] : kEventNames)
        if (static_cast<int32_t>(code) == event) return name;
    return {};
}

Lcp_Event event_by_name(std::string_view text) {
    for (const auto& [name, code] : kEventNames)
        if (text.substr(0, name.size()) == name) return code;
    return Lcp_Event::no_match;
}

std::string_view lcp_display_name(uint8_t code) {
    if (code < 1 || code > kLcpCodeCount) return kInvalidCodeName;
    return kDisplayNames[code - 1u];
}

std::string_view lcp_raw_name(Lcp_Code code) { return kRawNames[static_cast<size_t>(code) - 1u]; }

uint8_t lcp_code_by_raw_name(std::string_view text) {
    for (size_t i = 0; i < kRawNames.size(); ++i)
        if (kRawNames[i] == text) return static_cast<uint8_t>(i + 1);
    return 0;
}
