// The code sets of the PPP link: LCP automaton states and events (RFC 1661
// names), the actions of a transition, the link phases and the LCP packet
// codes, each with the text the station shows for it. Converted to and from
// plain integers only at the C interface.
#pragma once

#include <cstdint>
#include <string_view>

// The states of the RFC 1661 automaton, by their values.
enum class Lcp_State : int32_t {
    initial = 0,
    starting = 1,
    closed = 2,
    stopped = 3,
    closing = 4,
    stopping = 5,
    req_sent = 6,
    ack_rcvd = 7,
    ack_sent = 8,
    opened = 9,
};
inline constexpr int32_t kLcpStateCount = 10;

// Events by their codes. 15 and 17 act as RXJ+ and RXJ-; 19 (an Echo-Reply
// received) and 20 (a Discard-Request received) act as RXR.
enum class Lcp_Event : int32_t {
    no_match = -1,  // a name that matches no event; also an unknown LCP code
    none = 0,
    up = 1,
    down = 2,
    open = 3,
    close = 4,
    to_plus = 5,
    to_minus = 6,
    rcr_plus = 7,
    rcr_nak = 8,
    rca = 9,
    rcn = 10,
    rtr = 11,
    rta = 12,
    ruc = 13,
    rxj_plus = 14,
    rxj_plus_other = 15,
    rxj_minus = 16,
    rxj_minus_other = 17,
    rxr = 18,
    rxr_echo_reply = 19,
    rxr_discard = 20,
    rcr_rej = 21,
};

// Bits of a transition's action mask, with the RFC 1661 abbreviations.
// scj_rej is the Configure-Reject (the RFC's scn with Reject); scj is the
// Code-Reject.
enum Lcp_Action : uint32_t {
    tlu = 0x1,
    tld = 0x2,
    tls = 0x4,
    tlf = 0x8,
    irc = 0x10,
    zrc = 0x20,
    scr = 0x40,
    sca = 0x80,
    scn = 0x100,
    str = 0x200,
    sta = 0x400,
    scj = 0x800,
    ser = 0x1000,
    scj_rej = 0x2000,
};

enum class Link_Phase : int32_t {
    dead = 0,
    establish = 1,
    authenticate = 2,
    network = 3,
    terminate = 4,
};

enum class Lcp_Code : uint8_t {
    configure_request = 1,
    configure_ack = 2,
    configure_nak = 3,
    configure_reject = 4,
    terminate_request = 5,
    terminate_ack = 6,
    code_reject = 7,
    protocol_reject = 8,
    echo_request = 9,
    echo_reply = 10,
    discard_request = 11,
};

// What an event step asks the caller to send.
enum class Lcp_Result : int32_t {
    nothing = 0,
    reply = 1,              // the reply packet
    request = 2,            // the request packet
    request_and_reply = 4,  // the request packet, then the reply packet
};

// "Initial" ... "Opened"; "No connection" for a value outside the set.
std::string_view state_name(int32_t state);
inline constexpr std::string_view kNoConnection = "No connection";
// "Dead" ... "Terminating"; an empty text for a value outside the set.
std::string_view phase_name(int32_t phase);
// "Up", "RCR-(nak)" ...; codes 15, 17, 19, 20 show as the event they act as;
// an empty text for a code that is no event.
std::string_view event_name(int32_t event);
// The event whose name the text begins with (compared over the name's own
// length, so "Up" matches "Up" and "Upper"); Lcp_Event::no_match for none.
Lcp_Event event_by_name(std::string_view text);

// "LCP Configure Request" ... "LCP Echo Reply " (with its trailing space) ...;
// "LCP Invalid Code" for any other code.
std::string_view lcp_display_name(uint8_t code);
// The names that choose a raw packet: "Configure-Request" ... "Discard-Request".
std::string_view lcp_raw_name(Lcp_Code code);
// The code whose raw name the text is exactly; 0 for none.
uint8_t lcp_code_by_raw_name(std::string_view text);
inline constexpr uint8_t kLcpCodeCount = 11;
