// The PPP layer: the RFC 1661 automaton of LCP with its restart timer and
// counter, the link phase, the LCP packets it builds and receives, and CHAP.
// It can be driven by received packets, by its timer, and by hand: any
// event can be raised by code or by name, with or without sending what the
// actions call for, which makes the station a PPP test tool as much as a
// peer. It builds packets; framing and sending are the caller's (Ppp_Link).
// Callers hold the link lock around every use.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ppp/chap.h"
#include "ppp/fsm_table.h"
#include "ppp/lcp_options.h"
#include "ppp/lcp_packet.h"
#include "ppp/ppp_codes.h"
#include "ppp/random_below.h"

// Milliseconds of a monotonic clock.
using Tick_Source = std::function<uint32_t()>;

// A packet to send and the name it is shown with.
struct Ppp_Packet_Out {
    Ppp_Bytes octets;
    std::string name;
};

// What an event step leaves to send, in send order (the request packet
// before the reply packet when both go), and why a received packet was
// refused, if it was.
struct Lcp_Output {
    Lcp_Result result = Lcp_Result::nothing;
    Lcp_Event event = Lcp_Event::none;
    std::vector<Ppp_Packet_Out> packets;
    std::string refusal;
};

// What the restart timer calls for.
enum class Timer_Event : int32_t {
    none = 0,
    to_plus = 0x400,
    to_minus = 0x800,
};

enum class Chap_Result : int32_t {
    nothing = 0,
    send_reply = 1,
    not_allowed = 800,          // received outside the Authentication and Network phases
    unrecognised = 0x321,       // a code other than the four of CHAP
    failure_received = 0x322,
    success_received = 0x324,
    refused = 0x325,            // our own: a packet whose fields run past its end
};

namespace chap_text {
inline constexpr const char* kNotAllowed = "\nCHAP message received, but not allowed in this PPP phase";
inline constexpr const char* kSucceeded = "\nCHAP Authentication successful, NTCIP over PPP enabled";
inline constexpr const char* kFailed = "\nCHAP Authentication failed";
}  // namespace chap_text

struct Chap_Output {
    Chap_Result result = Chap_Result::nothing;
    std::optional<Ppp_Packet_Out> reply;  // to send with protocol 0xC223
    std::string text;                     // for the line-activity display, if any
};

class PPP {
public:
    static constexpr uint32_t kDefaultRestartTimerMs = 30000;
    // irc: at most this many Configure- or Terminate-Requests go out before TO-.
    static constexpr int32_t kMaxRestarts = 10;

    // The clock stamps packets and runs the restart timer; the draws make
    // challenge values and frame faults.
    PPP(Tick_Source clock, Random_Below random);
    // On the steady clock.
    explicit PPP(Random_Below random);
    // On the steady clock, with a generator of its own.
    PPP();

    // Raises an event: the transition's actions are performed in order and
    // the last one decides what to send. Ignored (nothing) while another
    // event is pending.
    Lcp_Result raise(int32_t event);
    Lcp_Result raise(std::string_view name);
    // The same, with the packets to send serialised.
    Lcp_Output raise_and_serialise(int32_t event);

    // A received LCP packet: parsed, classified into an event and raised.
    // A packet whose fields run past its end is refused (output.refusal)
    // and the automaton goes on as before.
    Lcp_Output receive_lcp(std::span<const uint8_t> octets);

    // The restart timer: what an expiry calls for now, the counter
    // decreased on expiry.
    Timer_Event check_timer();
    // check_timer, then the event raised with its packets serialised.
    Lcp_Output run_timer();

    // Up, then Open, with the Configure-Request to send.
    Lcp_Output open();

    // A raw LCP packet of a code for sending by hand; it changes nothing in
    // the automaton. Without an identifier the next one is taken.
    Ppp_Packet_Out build_raw(Lcp_Code code, std::optional<uint8_t> identifier = std::nullopt) const;

    // A challenge to send with protocol 0xC223 when the request packet
    // negotiates CHAP; kept to verify the peer's response.
    std::optional<Ppp_Packet_Out> authenticate();
    // A received CHAP packet, handled by phase.
    Chap_Output receive_chap(std::span<const uint8_t> octets);

    void set_secret(std::string secret) { secret_ = std::move(secret); }
    const std::string& secret() const { return secret_; }
    void set_options(const Lcp_Options& options) { options_ = options; }
    const Lcp_Options& options() const { return options_; }

    Lcp_State state() const { return state_; }
    Link_Phase phase() const { return phase_; }
    // The event being raised (none between steps), and the last one raised.
    int32_t event() const { return event_; }
    int32_t last_event() const { return last_event_; }
    int32_t restart_counter() const { return restart_counter_; }
    uint32_t restart_timer_ms() const { return restart_timer_ms_; }
    void set_restart_timer_ms(uint32_t ms) { restart_timer_ms_ = ms; }

    const Lcp_Packet& received_packet() const { return received_; }
    const Lcp_Packet& request_packet() const { return request_; }
    const Lcp_Packet& reply_packet() const { return reply_; }
    // The magic number of the peer's last Configure-Request, if it had one.
    const std::optional<Ppp_Bytes>& peer_magic_number() const { return peer_magic_number_; }

private:
    Lcp_Result perform(uint32_t actions);
    void change_phase(Lcp_State from, int32_t event);
    Lcp_Output serialise(Lcp_Result result, Lcp_Event event) const;
    Lcp_Event classify(const Lcp_Packet& packet);
    // The options of the last packet received when it is a
    // Configure-Request; none otherwise. Configure replies answer them.
    Ppp_Bytes received_configure_options() const;
    std::vector<Lcp_Option> received_options() const;
    Ppp_Bytes echo_data() const;
    Ppp_Bytes rejected_packet() const;
    Chap_Output chap_step(const Chap_Packet& packet);

    Tick_Source clock_;
    Random_Below random_;

    Lcp_State state_ = Lcp_State::initial;
    int32_t event_ = static_cast<int32_t>(Lcp_Event::none);
    int32_t last_event_ = static_cast<int32_t>(Lcp_Event::none);
    Link_Phase phase_ = Link_Phase::dead;
    int32_t restart_counter_ = 0;
    uint32_t restart_timer_ms_ = kDefaultRestartTimerMs;
    uint32_t restart_start_ = 0;

    Lcp_Options options_;
    Lcp_Packet received_;
    Lcp_Packet request_;
    Lcp_Packet reply_;
    bool send_both_ = false;
    std::optional<Ppp_Bytes> peer_magic_number_;

    std::string secret_;
    Chap_Packet our_challenge_;
    Chap_Packet peer_response_;
    Chap_Packet our_response_;
    Chap_Packet peer_challenge_;
};

// The display name of a CHAP packet sent or received: "CHAP Challenge" ...
std::string_view chap_display_name(Chap_Code code);
