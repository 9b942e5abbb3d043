#include "ppp/fsm_table.h"

#include <array>

namespace {

using S = Lcp_State;
using T = Lcp_Transition;

// One row per event, one column per state in the order of their values:
// Initial, Starting, Closed, Stopped, Closing, Stopping, Req-Sent,
// Ack-Rcvd, Ack-Sent, Opened. A cell that keeps the state names it again.
using Row = std::array<T, kLcpStateCount>;

// clang-format off
constexpr Row kUp = {{
    {0, S::closed}, {irc | scr, S::req_sent}, {0, S::closed}, {0, S::stopped}, {0, S::closing},
    {0, S::stopping}, {0, S::req_sent}, {0, S::ack_rcvd}, {0, S::ack_sent}, {0, S::opened}}};
constexpr Row kDown = {{
    {0, S::initial}, {0, S::starting}, {0, S::initial}, {tls, S::starting}, {0, S::initial},
    {0, S::starting}, {0, S::starting}, {0, S::starting}, {0, S::starting}, {tld, S::starting}}};
constexpr Row kOpen = {{
    {tls, S::starting}, {0, S::starting}, {irc | scr, S::req_sent}, {0, S::stopped}, {0, S::stopping},
    {0, S::stopping}, {0, S::req_sent}, {0, S::ack_rcvd}, {0, S::ack_sent}, {0, S::opened}}};
constexpr Row kClose = {{
    {0, S::initial}, {tlf, S::initial}, {0, S::closed}, {0, S::closed}, {0, S::closing},
    {0, S::closing}, {irc | str, S::closing}, {irc | str, S::closing}, {irc | str, S::closing},
    {tld | irc | str, S::closing}}};
constexpr Row kTimeOutPlus = {{
    {0, S::initial}, {0, S::starting}, {0, S::closed}, {0, S::stopped}, {str, S::closing},
    {str, S::stopping}, {scr, S::req_sent}, {scr, S::req_sent}, {scr, S::ack_sent}, {0, S::opened}}};
constexpr Row kTimeOutMinus = {{
    {0, S::initial}, {0, S::starting}, {0, S::closed}, {0, S::stopped}, {tlf, S::closed},
    {tlf, S::stopped}, {tlf, S::stopped}, {tlf, S::stopped}, {tlf, S::stopped}, {0, S::opened}}};
constexpr Row kRcrPlus = {{
    {0, S::initial}, {0, S::starting}, {sta, S::closed}, {irc | scr | sca, S::ack_sent}, {0, S::closing},
    {0, S::stopping}, {sca, S::ack_sent}, {sca | tlu, S::opened}, {sca, S::ack_sent},
    {tld | scr | sca, S::ack_sent}}};
constexpr Row kRcrNak = {{
    {0, S::initial}, {0, S::starting}, {sta, S::closed}, {irc | scr | scn, S::req_sent}, {0, S::closing},
    {0, S::stopping}, {scn, S::req_sent}, {scn, S::ack_rcvd}, {scn, S::req_sent},
    {tld | scr | scn, S::req_sent}}};
constexpr Row kRcrRej = {{
    {0, S::initial}, {0, S::starting}, {sta, S::closed}, {irc | scr | scj_rej, S::req_sent}, {0, S::closing},
    {0, S::stopping}, {scj_rej, S::req_sent}, {scj_rej, S::ack_rcvd}, {scj_rej, S::req_sent},
    {tld | scr | scj_rej, S::req_sent}}};
constexpr Row kRca = {{
    {0, S::initial}, {0, S::starting}, {sta, S::closed}, {sta, S::stopped}, {0, S::closing},
    {0, S::stopping}, {irc, S::ack_rcvd}, {scr, S::req_sent}, {irc | tlu, S::opened}, {tld | scr, S::req_sent}}};
constexpr Row kRcn = {{
    {0, S::initial}, {0, S::starting}, {sta, S::closed}, {sta, S::stopped}, {0, S::closing},
    {0, S::stopping}, {irc | scr, S::req_sent}, {scr, S::req_sent}, {irc | scr, S::ack_sent},
    {tld | scr, S::req_sent}}};
constexpr Row kRtr = {{
    {0, S::initial}, {0, S::starting}, {sta, S::closed}, {sta, S::stopped}, {sta, S::closing},
    {sta, S::stopping}, {sta, S::req_sent}, {sta, S::req_sent}, {sta, S::req_sent},
    {tld | zrc | sta, S::stopping}}};
constexpr Row kRta = {{
    {0, S::initial}, {0, S::starting}, {0, S::closed}, {0, S::stopped}, {tlf, S::closed},
    {tlf, S::stopped}, {0, S::req_sent}, {0, S::req_sent}, {0, S::ack_sent}, {tld | scr, S::req_sent}}};
constexpr Row kRuc = {{
    {0, S::initial}, {0, S::starting}, {scj, S::closed}, {scj, S::stopped}, {scj, S::closing},
    {scj, S::stopping}, {scj, S::req_sent}, {scj, S::ack_rcvd}, {scj, S::ack_sent}, {scj, S::opened}}};
constexpr Row kRxjPlus = {{
    {0, S::initial}, {0, S::starting}, {0, S::closed}, {0, S::stopped}, {0, S::closing},
    {0, S::stopping}, {0, S::req_sent}, {0, S::ack_rcvd}, {0, S::ack_sent}, {0, S::opened}}};
constexpr Row kRxjMinus = {{
    {0, S::initial}, {0, S::starting}, {tlf, S::closed}, {tlf, S::stopped}, {tlf, S::closed},
    {tlf, S::stopped}, {tlf, S::stopped}, {tlf, S::stopped}, {tlf, S::stopped},
    {tld | irc | str, S::stopping}}};
constexpr Row kRxr = {{
    {0, S::initial}, {0, S::starting}, {0, S::closed}, {0, S::stopped}, {0, S::closing},
    {0, S::stopping}, {0, S::req_sent}, {0, S::ack_rcvd}, {0, S::ack_sent}, {ser, S::opened}}};
// clang-format on

const Row* row_for(int32_t event) {
    switch (static_cast<Lcp_Event>(event)) {
    case Lcp_Event::up: return &kUp;
    case Lcp_Event::down: return &kDown;
    case Lcp_Event::open: return &kOpen;
    case Lcp_Event::close: return &kClose;
    case Lcp_Event::to_plus: return &kTimeOutPlus;
    case Lcp_Event::to_minus: return &kTimeOutMinus;
    case Lcp_Event::rcr_plus: return &kRcrPlus;
    case Lcp_Event::rcr_nak: return &kRcrNak;
    case Lcp_Event::rcr_rej: return &kRcrRej;
    case Lcp_Event::rca: return &kRca;
    case Lcp_Event::rcn: return &kRcn;
    case Lcp_Event::rtr: return &kRtr;
    case Lcp_Event::rta: return &kRta;
    case Lcp_Event::ruc: return &kRuc;
    case Lcp_Event::rxj_plus:
    case Lcp_Event::rxj_plus_other: return &kRxjPlus;
    case Lcp_Event::rxj_minus:
    case Lcp_Event::rxj_minus_other: return &kRxjMinus;
    case Lcp_Event::rxr:
    case Lcp_Event::rxr_echo_reply:
    case Lcp_Event::rxr_discard: return &kRxr;
    default: return nullptr;
    }
}

}  // namespace

Lcp_Transition lcp_transition(int32_t event, Lcp_State state) {
    const Row* row = row_for(event);
    if (row == nullptr) return {0, state};
    return (*row)[static_cast<size_t>(state)];
}
