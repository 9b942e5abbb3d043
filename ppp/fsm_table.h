// The transition table of the LCP automaton, kept as data: for each event
// and state, the actions to perform and the state that follows.
#pragma once

#include <cstdint>

#include "ppp/ppp_codes.h"

struct Lcp_Transition {
    uint32_t actions = 0;  // Lcp_Action bits
    Lcp_State next = Lcp_State::initial;
};

// The transition for an event raised in a state. An event the table has
// no row for (none, no_match, or any code outside the set) leaves the state
// with no action.
Lcp_Transition lcp_transition(int32_t event, Lcp_State state);

// The send actions in the order a step performs them; the last one
// performed decides what the caller sends.
inline constexpr uint32_t kLcpSendOrder[] = {scr, sca, scn, scj_rej, str, sta, scj, ser};
