// A PPP layer on a clock the test turns by hand and a seeded generator, and
// the events that bring a fresh layer to each state.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "ppp/ppp.h"

struct Test_Clock {
    uint32_t now = 1000;
    Tick_Source source() {
        return [this] { return now; };
    }
};

inline Random_Below seeded_random(uint32_t seed = 7) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](uint32_t n) { return n == 0 ? 0u : std::uniform_int_distribution<uint32_t>(0, n - 1)(*engine); };
}

inline int32_t code(Lcp_Event event) { return static_cast<int32_t>(event); }

// Events that take a fresh layer from Initial to the state.
inline std::vector<Lcp_Event> route_to(Lcp_State state) {
    using E = Lcp_Event;
    switch (state) {
    case Lcp_State::initial: return {};
    case Lcp_State::starting: return {E::open};
    case Lcp_State::closed: return {E::up};
    case Lcp_State::stopped: return {E::up, E::open, E::to_minus};
    case Lcp_State::closing: return {E::up, E::open, E::close};
    case Lcp_State::stopping: return {E::up, E::open, E::rca, E::rcr_plus, E::rtr};
    case Lcp_State::req_sent: return {E::up, E::open};
    case Lcp_State::ack_rcvd: return {E::up, E::open, E::rca};
    case Lcp_State::ack_sent: return {E::up, E::open, E::rcr_plus};
    case Lcp_State::opened: return {E::up, E::open, E::rca, E::rcr_plus};
    }
    return {};
}

inline void drive(PPP& ppp, const std::vector<Lcp_Event>& events) {
    for (Lcp_Event event : events) ppp.raise(code(event));
}

// The LCP codes of the packets an output sends, in order.
inline std::vector<int> packet_codes(const Lcp_Output& output) {
    std::vector<int> codes;
    for (const Ppp_Packet_Out& packet : output.packets) codes.push_back(packet.octets.empty() ? -1 : packet.octets[0]);
    return codes;
}
