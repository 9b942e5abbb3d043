#include "ppp/ppp.h"

#include <array>
#include <chrono>
#include <memory>
#include <random>

namespace {

constexpr int32_t kNone = static_cast<int32_t>(Lcp_Event::none);
constexpr uint32_t kReplyActions = sca | scn | scj_rej;
// Echo-Reply: the magic number sent when this side offers one.
constexpr std::array<uint8_t, 4> kOurMagicNumber = {0x00, 0x00, 0x87, 0xFE};
constexpr size_t kMagicNumberLength = 4;
// A Code-Reject carries the rejected packet cut to fit the MRU of 1500.
constexpr size_t kLongestRejectedPacket = 1500 - kLcpHeaderLength;

uint32_t steady_milliseconds() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Random_Below own_generator() {
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine](uint32_t n) { return n == 0 ? 0u : std::uniform_int_distribution<uint32_t>(0, n - 1)(*engine); };
}

int32_t code_of(Lcp_Event event) { return static_cast<int32_t>(event); }

// The phase changes that transitions make. An event leaving Opened other
// than these, and every transition not listed, keeps the phase.
enum class Phase_Condition { always, request_negotiates_chap };
struct Phase_Change {
    Lcp_State from;
    Lcp_Event event;
    Lcp_State to;
    Link_Phase phase;
    Phase_Condition condition = Phase_Condition::always;
};
constexpr Phase_Change kPhaseChanges[] = {
    {Lcp_State::initial, Lcp_Event::up, Lcp_State::closed, Link_Phase::establish},
    {Lcp_State::ack_sent, Lcp_Event::rca, Lcp_State::opened, Link_Phase::authenticate},
    {Lcp_State::ack_rcvd, Lcp_Event::rcr_plus, Lcp_State::opened, Link_Phase::authenticate,
     Phase_Condition::request_negotiates_chap},
    {Lcp_State::opened, Lcp_Event::down, Lcp_State::starting, Link_Phase::dead},
    {Lcp_State::opened, Lcp_Event::close, Lcp_State::closing, Link_Phase::terminate},
    {Lcp_State::opened, Lcp_Event::rtr, Lcp_State::stopping, Link_Phase::terminate},
    {Lcp_State::opened, Lcp_Event::rta, Lcp_State::req_sent, Link_Phase::terminate},
    {Lcp_State::opened, Lcp_Event::rxj_minus, Lcp_State::stopping, Link_Phase::terminate},
    {Lcp_State::opened, Lcp_Event::rxj_minus_other, Lcp_State::stopping, Link_Phase::terminate},
    {Lcp_State::opened, Lcp_Event::rcr_plus, Lcp_State::ack_sent, Link_Phase::establish},
    {Lcp_State::opened, Lcp_Event::rcr_nak, Lcp_State::req_sent, Link_Phase::establish},
    {Lcp_State::opened, Lcp_Event::rcr_rej, Lcp_State::req_sent, Link_Phase::establish},
    {Lcp_State::opened, Lcp_Event::rca, Lcp_State::req_sent, Link_Phase::establish},
    {Lcp_State::opened, Lcp_Event::rcn, Lcp_State::req_sent, Link_Phase::establish},
};

// The states in which the restart timer runs (RFC 1661, 4.6): those
// waiting for an answer to a Configure- or Terminate-Request. Elsewhere an
// unanswered request of the past raises no time-outs.
bool restart_timer_runs(Lcp_State state) {
    switch (state) {
    case Lcp_State::closing:
    case Lcp_State::stopping:
    case Lcp_State::req_sent:
    case Lcp_State::ack_rcvd:
    case Lcp_State::ack_sent: return true;
    default: return false;
    }
}

}  // namespace

std::string_view chap_display_name(Chap_Code code) {
    switch (code) {
    case Chap_Code::challenge: return "CHAP Challenge";
    case Chap_Code::response: return "CHAP Response";
    case Chap_Code::success: return "CHAP Success";
    case Chap_Code::failure: return "CHAP Failure";
    default: return "CHAP Invalid Code";
    }
}

PPP::PPP(Tick_Source clock, Random_Below random) : clock_(std::move(clock)), random_(std::move(random)) {
    reset_lcp_identifiers();
}

PPP::PPP(Random_Below random) : PPP(steady_milliseconds, std::move(random)) {}

PPP::PPP() : PPP(own_generator()) {}

Lcp_Result PPP::raise(int32_t event) {
    if (event_ != kNone) return Lcp_Result::nothing;  // one event at a time
    event_ = event;
    last_event_ = event;
    const Lcp_State from = state_;
    const Lcp_Transition transition = lcp_transition(event, from);
    const Lcp_Result result = perform(transition.actions);
    state_ = transition.next;
    change_phase(from, event);
    event_ = kNone;
    return result;
}

Lcp_Result PPP::raise(std::string_view name) { return raise(code_of(event_by_name(name))); }

Lcp_Output PPP::raise_and_serialise(int32_t event) {
    return serialise(raise(event), static_cast<Lcp_Event>(event));
}

Lcp_Result PPP::perform(uint32_t actions) {
    Lcp_Result result = Lcp_Result::nothing;
    const uint32_t now = clock_();
    if ((actions & irc) != 0 && (actions & (scr | str)) != 0) {
        restart_counter_ = kMaxRestarts;
        restart_start_ = now;
    }
    if ((actions & zrc) != 0) restart_counter_ = 0;
    if ((actions & scr) != 0) {
        send_both_ = (actions & kReplyActions) != 0;
        request_ = make_lcp_packet(Lcp_Code::configure_request, next_lcp_identifier(),
                                   encode_request_options(options_), now);
        request_.options = options_;
        result = Lcp_Result::request;
    }
    const auto reply = [&](Lcp_Code code, uint8_t identifier, Ppp_Bytes data) {
        reply_ = make_lcp_packet(code, identifier, std::move(data), now);
        result = Lcp_Result::reply;
    };
    const auto configure_reply = [&](Lcp_Code code, Ppp_Bytes options) {
        reply(code, received_.identifier, std::move(options));
        if (send_both_) result = Lcp_Result::request_and_reply;
        send_both_ = false;
    };
    if ((actions & sca) != 0) configure_reply(Lcp_Code::configure_ack, received_configure_options());
    if ((actions & scn) != 0) configure_reply(Lcp_Code::configure_nak, nak_options(received_options()));
    if ((actions & scj_rej) != 0) configure_reply(Lcp_Code::configure_reject, reject_options(received_options()));
    if ((actions & str) != 0) {
        request_ = make_lcp_packet(Lcp_Code::terminate_request, next_lcp_identifier(), {}, now);
        request_.options = options_;
        result = Lcp_Result::request;
    }
    if ((actions & sta) != 0) reply(Lcp_Code::terminate_ack, received_.identifier, {});
    if ((actions & scj) != 0) reply(Lcp_Code::code_reject, next_lcp_identifier(), rejected_packet());
    if ((actions & ser) != 0) reply(Lcp_Code::echo_reply, received_.identifier, echo_data());
    return result;
}

void PPP::change_phase(Lcp_State from, int32_t event) {
    for (const Phase_Change& change : kPhaseChanges) {
        if (change.from != from || code_of(change.event) != event || change.to != state_) continue;
        if (change.condition == Phase_Condition::request_negotiates_chap &&
            request_.options.authentication_protocol != kChapProtocol)
            continue;
        phase_ = change.phase;
        return;
    }
}

Ppp_Bytes PPP::received_configure_options() const {
    // An event raised by hand may follow a packet of another kind.
    if (!received_.is(Lcp_Code::configure_request)) return {};
    return received_.data;
}

std::vector<Lcp_Option> PPP::received_options() const {
    auto parsed = parse_options(received_configure_options());
    if (auto* options = std::get_if<std::vector<Lcp_Option>>(&parsed)) return std::move(*options);
    return {};
}

Ppp_Bytes PPP::echo_data() const {
    const std::span<const uint8_t> received(received_.data);
    const auto rest = received.size() > kMagicNumberLength ? received.subspan(kMagicNumberLength)
                                                          : std::span<const uint8_t>();
    Ppp_Bytes data;
    data.reserve(kMagicNumberLength + rest.size());
    for (uint8_t octet : kOurMagicNumber) data.push_back(options_.magic_number != 0 ? octet : 0);
    // The received data after the sender's magic number comes back.
    data.insert(data.end(), rest.begin(), rest.end());
    return data;
}

Ppp_Bytes PPP::rejected_packet() const {
    Ppp_Bytes packet = received_.serialise();
    if (packet.size() > kLongestRejectedPacket) packet.resize(kLongestRejectedPacket);
    return packet;
}

Lcp_Output PPP::serialise(Lcp_Result result, Lcp_Event event) const {
    Lcp_Output output;
    output.result = result;
    output.event = event;
    const auto add = [&](const Lcp_Packet& packet) {
        output.packets.push_back({packet.serialise(), std::string(lcp_display_name(packet.code))});
    };
    switch (result) {
    case Lcp_Result::request: add(request_); break;
    case Lcp_Result::reply: add(reply_); break;
    case Lcp_Result::request_and_reply:
        add(request_);
        add(reply_);
        break;
    case Lcp_Result::nothing: break;
    }
    return output;
}

Lcp_Event PPP::classify(const Lcp_Packet& packet) {
    const bool configuring = request_.is(Lcp_Code::configure_request);
    switch (static_cast<Lcp_Code>(packet.code)) {
    case Lcp_Code::configure_request: {
        const Request_Check check = check_request(std::get<std::vector<Lcp_Option>>(parse_options(packet.data)));
        peer_magic_number_.reset();
        if (check.has_magic_number) peer_magic_number_ = check.magic_number;
        return check.event;
    }
    case Lcp_Code::configure_ack: return configuring ? Lcp_Event::rca : Lcp_Event::none;
    case Lcp_Code::configure_nak:
    case Lcp_Code::configure_reject: return configuring ? Lcp_Event::rcn : Lcp_Event::none;
    case Lcp_Code::terminate_request: return Lcp_Event::rtr;
    case Lcp_Code::terminate_ack: return Lcp_Event::rta;
    case Lcp_Code::code_reject: return configuring ? Lcp_Event::rxj_minus : Lcp_Event::rxj_plus;
    case Lcp_Code::protocol_reject: return Lcp_Event::rxj_minus;
    case Lcp_Code::echo_request: return Lcp_Event::rxr;
    case Lcp_Code::echo_reply: return Lcp_Event::rxr_echo_reply;
    case Lcp_Code::discard_request: return Lcp_Event::rxr_discard;
    }
    return Lcp_Event::no_match;  // a code no state handles: no transition, no Code-Reject
}

Lcp_Output PPP::receive_lcp(std::span<const uint8_t> octets) {
    auto parsed = parse_lcp_packet(octets, clock_());
    if (auto* refusal = std::get_if<std::string>(&parsed)) {
        Lcp_Output output;
        output.refusal = std::move(*refusal);
        return output;
    }
    Lcp_Packet& packet = std::get<Lcp_Packet>(parsed);
    // The options of the Configure packets are split before anything of
    // the packet is used, so that none is read past its end.
    if (packet.code >= static_cast<uint8_t>(Lcp_Code::configure_request) &&
        packet.code <= static_cast<uint8_t>(Lcp_Code::configure_reject)) {
        auto options = parse_options(packet.data);
        if (auto* refusal = std::get_if<std::string>(&options)) {
            Lcp_Output output;
            output.refusal = std::move(*refusal);
            return output;
        }
    }
    received_ = std::move(packet);
    const Lcp_Event event = classify(received_);
    if (event == Lcp_Event::none) return Lcp_Output{};
    Lcp_Output output = raise_and_serialise(code_of(event));
    // A received Echo-Reply or Discard-Request moves the automaton as RXR
    // does but is not answered (RFC 1661 5.8, 5.9): two stations in Opened
    // would otherwise echo each other for ever.
    if (event == Lcp_Event::rxr_echo_reply || event == Lcp_Event::rxr_discard) {
        std::erase_if(output.packets, [](const Ppp_Packet_Out& packet) {
            return !packet.octets.empty() && packet.octets[0] == static_cast<uint8_t>(Lcp_Code::echo_reply);
        });
        if (output.packets.empty()) output.result = Lcp_Result::nothing;
    }
    return output;
}

Timer_Event PPP::check_timer() {
    if (!restart_timer_runs(state_)) return Timer_Event::none;
    Lcp_Code answer;
    if (request_.is(Lcp_Code::configure_request)) {
        answer = Lcp_Code::configure_ack;
    } else if (request_.is(Lcp_Code::terminate_request)) {
        answer = Lcp_Code::terminate_ack;
    } else {
        return Timer_Event::none;
    }
    const bool answered = (received_.is(answer) || (answer == Lcp_Code::configure_ack &&
                                                    received_.is(Lcp_Code::configure_nak))) &&
                          received_.tick - request_.tick < (1u << 31) &&  // not older than the request
                          received_.identifier == request_.identifier;
    if (answered || clock_() - request_.tick <= restart_timer_ms_) return Timer_Event::none;
    if (restart_counter_ > 0) --restart_counter_;
    return restart_counter_ < 1 ? Timer_Event::to_minus : Timer_Event::to_plus;
}

Lcp_Output PPP::run_timer() {
    switch (check_timer()) {
    case Timer_Event::to_plus: return raise_and_serialise(code_of(Lcp_Event::to_plus));
    case Timer_Event::to_minus: return raise_and_serialise(code_of(Lcp_Event::to_minus));
    case Timer_Event::none: break;
    }
    return Lcp_Output{};
}

Lcp_Output PPP::open() {
    raise(code_of(Lcp_Event::up));
    return raise_and_serialise(code_of(Lcp_Event::open));
}

Ppp_Packet_Out PPP::build_raw(Lcp_Code code, std::optional<uint8_t> identifier) const {
    const uint8_t id = identifier ? *identifier : next_lcp_identifier();
    Ppp_Bytes data;
    switch (code) {
    case Lcp_Code::configure_request: data = encode_request_options(options_); break;
    case Lcp_Code::configure_ack: data = received_configure_options(); break;
    case Lcp_Code::configure_nak: data = nak_options(received_options()); break;
    case Lcp_Code::configure_reject: data = reject_options(received_options()); break;
    case Lcp_Code::code_reject: data = rejected_packet(); break;
    case Lcp_Code::protocol_reject: data = {0x00, 0x00}; break;  // rejected protocol: none named
    case Lcp_Code::echo_request:
    case Lcp_Code::echo_reply:
    case Lcp_Code::discard_request: data = echo_data(); break;
    case Lcp_Code::terminate_request:
    case Lcp_Code::terminate_ack: break;
    }
    const Lcp_Packet packet = make_lcp_packet(code, id, std::move(data), clock_());
    return {packet.serialise(), std::string(lcp_display_name(packet.code))};
}

std::optional<Ppp_Packet_Out> PPP::authenticate() {
    // Nothing is negotiated before this side has built a request.
    if (request_.code == 0 || request_.options.authentication_protocol != kChapProtocol) return std::nullopt;
    our_challenge_ = build_challenge(random_);
    our_challenge_.secret = secret_;
    return Ppp_Packet_Out{our_challenge_.serialise(), std::string(chap_display_name(Chap_Code::challenge))};
}

Chap_Output PPP::receive_chap(std::span<const uint8_t> octets) {
    if (phase_ != Link_Phase::authenticate && phase_ != Link_Phase::network)
        return {Chap_Result::not_allowed, std::nullopt, chap_text::kNotAllowed};
    auto parsed = parse_chap_packet(octets);
    if (auto* refusal = std::get_if<std::string>(&parsed)) return {Chap_Result::refused, std::nullopt, *refusal};
    return chap_step(std::get<Chap_Packet>(parsed));
}

Chap_Output PPP::chap_step(const Chap_Packet& packet) {
    const auto reply = [](const Chap_Packet& out) {
        return Chap_Output{Chap_Result::send_reply,
                           Ppp_Packet_Out{out.serialise(), std::string(chap_display_name(out.code))}, {}};
    };
    switch (packet.code) {
    case Chap_Code::challenge:
        peer_challenge_ = packet;
        our_response_ = answer_challenge(packet, secret_);
        return reply(our_response_);
    case Chap_Code::response:
        peer_response_ = packet;
        return reply(build_verdict(response_matches(our_challenge_, secret_, packet), packet.identifier));
    case Chap_Code::success:
        phase_ = Link_Phase::network;
        return {Chap_Result::success_received, std::nullopt, chap_text::kSucceeded};
    case Chap_Code::failure:
        phase_ = Link_Phase::authenticate;
        return {Chap_Result::failure_received, std::nullopt, chap_text::kFailed};
    default: return {Chap_Result::unrecognised, std::nullopt, {}};
    }
}
