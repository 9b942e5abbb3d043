// The automaton's edge cases, one table row each: what is raised or
// received in which state, the packets built and sent, and the state and
// phase after.
#include <gtest/gtest.h>

#include "tests/ppp/ppp_fixture.h"

namespace {

using E = Lcp_Event;
using S = Lcp_State;
using P = Link_Phase;

// An LCP packet: code, identifier, length and data.
Ppp_Bytes lcp(uint8_t code, uint8_t identifier, Ppp_Bytes data = {}) {
    Ppp_Bytes packet{code, identifier, 0, static_cast<uint8_t>(4 + data.size())};
    packet.insert(packet.end(), data.begin(), data.end());
    return packet;
}

struct Edge_Row {
    const char* what;
    S before;
    const char* event;  // raised by name, or nullptr when a packet is received
    Ppp_Bytes received;
    std::vector<int> packets;  // LCP codes sent, in order
    S after;
    P phase_after;
    uint32_t authentication = kChapProtocol;
};

const Edge_Row kRows[] = {
    {"RCR-(rej) by name in Stopped: a Configure-Request, then the Configure-Reject", S::stopped, "RCR-(rej)", {},
     {1, 4}, S::req_sent, P::establish},
    {"Up in Closed changes nothing", S::closed, "Up", {}, {}, S::closed, P::establish},
    {"Open in Closed sends a Configure-Request", S::closed, "Open", {}, {1}, S::req_sent, P::establish},
    {"RCA in Ack-Rcvd sends a new Configure-Request", S::ack_rcvd, "RCA", {}, {1}, S::req_sent, P::establish},
    {"RCN in Ack-Rcvd sends a new Configure-Request", S::ack_rcvd, "RCN", {}, {1}, S::req_sent, P::establish},
    {"Echo-Request in Opened is answered", S::opened, nullptr, lcp(9, 40, {0, 0, 0, 0}), {10}, S::opened,
     P::authenticate},
    {"Echo-Reply in Opened is taken silently", S::opened, nullptr, lcp(10, 41, {0, 0, 0, 0}), {}, S::opened,
     P::authenticate},
    {"Discard-Request in Opened is taken silently", S::opened, nullptr, lcp(11, 42, {0, 0, 0, 0}), {}, S::opened,
     P::authenticate},
    {"code 12 causes no event and no Code-Reject", S::opened, nullptr, lcp(12, 43), {}, S::opened, P::authenticate},
    {"code 200 causes no event and no Code-Reject", S::req_sent, nullptr, lcp(200, 44), {}, S::req_sent,
     P::establish},
    {"Initial + Up enters Link Establishment", S::initial, "Up", {}, {}, S::closed, P::establish},
    {"Ack-Sent + RCA enters Authentication", S::ack_sent, nullptr, lcp(2, 0), {}, S::opened, P::authenticate},
    {"Ack-Rcvd + RCR+ enters Authentication when the request negotiates CHAP", S::ack_rcvd, nullptr,
     lcp(1, 45, {0x01, 0x04, 0x05, 0xDC}), {2}, S::opened, P::authenticate},
    {"Ack-Rcvd + RCR+ keeps the phase when the request negotiates PAP", S::ack_rcvd, nullptr,
     lcp(1, 46, {0x01, 0x04, 0x05, 0xDC}), {2}, S::opened, P::establish, kPapProtocol},
    {"Down in Opened: Dead", S::opened, "Down", {}, {}, S::starting, P::dead},
    {"Close in Opened: Terminating", S::opened, "Close", {}, {5}, S::closing, P::terminate},
    {"Terminate-Request in Opened: Terminating", S::opened, nullptr, lcp(5, 47), {6}, S::stopping, P::terminate},
    {"Terminate-Ack in Opened: Terminating", S::opened, nullptr, lcp(6, 48), {1}, S::req_sent, P::terminate},
    {"Protocol-Reject in Opened: RXJ-, Terminating", S::opened, nullptr, lcp(8, 49, {0x80, 0x21}), {5},
     S::stopping, P::terminate},
    {"Configure-Nak in Opened: Link Establishment", S::opened, nullptr, lcp(3, 0), {1}, S::req_sent, P::establish},
    {"Configure-Request with MRU 1492 in Opened: Link Establishment, Nak", S::opened, nullptr,
     lcp(1, 50, {0x01, 0x04, 0x05, 0xD4}), {1, 3}, S::req_sent, P::establish},
    {"Code-Reject while configuring is RXJ-", S::req_sent, nullptr, lcp(7, 51, {0x0C, 0x01, 0x00, 0x04}), {},
     S::stopped, P::establish},
    {"Code-Reject while terminating is RXJ+", S::closing, nullptr, lcp(7, 52, {0x0C, 0x01, 0x00, 0x04}), {},
     S::closing, P::establish},
    {"Configure-Ack while terminating is no event", S::closing, nullptr, lcp(2, 0), {}, S::closing, P::establish},
    {"a name that matches no event changes nothing", S::req_sent, "Sideways", {}, {}, S::req_sent, P::establish},
    {"a name is matched over its own length", S::closed, "Opening the link", {}, {1}, S::req_sent, P::establish},
};

TEST(Ppp_Edge_Cases, each_row) {
    for (const Edge_Row& row : kRows) {
        SCOPED_TRACE(row.what);
        Test_Clock clock;
        PPP ppp(clock.source(), seeded_random());
        Lcp_Options options;
        options.authentication_protocol = row.authentication;
        ppp.set_options(options);
        drive(ppp, route_to(row.before));
        ASSERT_EQ(ppp.state(), row.before);
        // Acks answer the request they follow.
        Ppp_Bytes received = row.received;
        if (received.size() >= 2 && received[0] == 2) received[1] = ppp.request_packet().identifier;

        const Lcp_Output output = row.event != nullptr ? ppp.raise_and_serialise(code(event_by_name(row.event)))
                                                       : ppp.receive_lcp(received);
        EXPECT_EQ(packet_codes(output), row.packets);
        EXPECT_EQ(ppp.state(), row.after);
        EXPECT_EQ(ppp.phase(), row.phase_after);
        EXPECT_TRUE(output.refusal.empty());
    }
}

TEST(Ppp_Edge_Cases, open_in_closed_sets_the_counter_to_ten) {
    PPP ppp;
    drive(ppp, {E::up});
    EXPECT_EQ(ppp.restart_counter(), 0);
    EXPECT_EQ(ppp.raise("Open"), Lcp_Result::request);
    EXPECT_EQ(ppp.restart_counter(), 10);
}

TEST(Ppp_Edge_Cases, the_result_says_what_to_send) {
    PPP ppp;
    drive(ppp, route_to(S::stopped));
    EXPECT_EQ(ppp.raise("RCR+"), Lcp_Result::request_and_reply);
    EXPECT_EQ(ppp.raise("RTR"), Lcp_Result::reply);
    EXPECT_EQ(ppp.raise("TO+"), Lcp_Result::request);
    EXPECT_EQ(ppp.raise("Up"), Lcp_Result::nothing);
}

TEST(Ppp_Edge_Cases, a_second_event_raised_while_one_is_pending_is_ignored) {
    PPP* layer = nullptr;
    Lcp_Result inner = Lcp_Result::request;
    int32_t pending = 0;
    // The clock is read while the Open step performs its actions.
    PPP ppp(
        [&]() -> uint32_t {
            if (layer != nullptr) {
                pending = layer->event();
                inner = layer->raise(code(E::close));
            }
            return 5000;
        },
        seeded_random());
    drive(ppp, {E::up});
    layer = &ppp;
    EXPECT_EQ(ppp.raise(code(E::open)), Lcp_Result::request);
    layer = nullptr;
    EXPECT_EQ(pending, code(E::open));
    EXPECT_EQ(inner, Lcp_Result::nothing);
    EXPECT_EQ(ppp.state(), S::req_sent);
    EXPECT_EQ(ppp.last_event(), code(E::open));
    EXPECT_EQ(ppp.event(), code(E::none));
}

TEST(Ppp_Edge_Cases, the_default_configure_request_carries_mru_then_chap) {
    reset_lcp_identifiers();
    PPP ppp;
    const Lcp_Output output = ppp.open();
    ASSERT_EQ(output.packets.size(), 1u);
    EXPECT_EQ(output.packets[0].octets,
              (Ppp_Bytes{0x01, 0x00, 0x00, 0x0D, 0x01, 0x04, 0x05, 0xDC, 0x03, 0x05, 0xC2, 0x23, 0x05}));
    EXPECT_EQ(output.packets[0].name, "LCP Configure Request");
}

TEST(Ppp_Edge_Cases, built_packets_take_consecutive_identifiers_of_one_counter) {
    PPP first;
    PPP second;  // a new layer starts the counter again
    const uint8_t a = first.open().packets[0].octets[1];
    const uint8_t b = second.open().packets[0].octets[1];
    const uint8_t c = first.raise_and_serialise(code(E::to_plus)).packets[0].octets[1];
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(c, 2);
}

TEST(Ppp_Codes, names) {
    EXPECT_EQ(state_name(6), "Request Sent");
    EXPECT_EQ(state_name(7), "Ack Received");
    EXPECT_EQ(state_name(10), "No connection");
    EXPECT_EQ(state_name(-1), "No connection");
    EXPECT_EQ(phase_name(1), "Link Establishment");
    EXPECT_EQ(phase_name(4), "Terminating");
    EXPECT_EQ(event_name(21), "RCR-(rej)");
    EXPECT_EQ(event_name(17), "RXJ-");
    EXPECT_EQ(event_name(20), "RXR");
    EXPECT_EQ(event_by_name("RCR-(nak)"), E::rcr_nak);
    EXPECT_EQ(event_by_name("RCR-"), E::no_match);
    EXPECT_EQ(event_by_name(""), E::no_match);
    EXPECT_EQ(event_by_name("up"), E::no_match);
    EXPECT_EQ(lcp_display_name(10), "LCP Echo Reply ");
    EXPECT_EQ(lcp_display_name(0), "LCP Invalid Code");
    EXPECT_EQ(lcp_display_name(12), "LCP Invalid Code");
    EXPECT_EQ(lcp_code_by_raw_name("Discard-Request"), 11);
    EXPECT_EQ(lcp_code_by_raw_name("Discard"), 0);
}

}  // namespace

namespace {

// A rejected packet of any size keeps the Code-Reject's length field true.
TEST(Ppp_Edge_Cases, a_code_reject_carries_the_rejected_packet_cut_to_the_mru) {
    PPP ppp;
    drive(ppp, route_to(Lcp_State::opened));
    Ppp_Bytes echo(4 + 3000, 0x55);
    echo[0] = 9;
    echo[1] = 3;
    echo[2] = static_cast<uint8_t>(echo.size() >> 8);
    echo[3] = static_cast<uint8_t>(echo.size() & 0xFF);
    ppp.receive_lcp(echo);
    const Lcp_Output output = ppp.raise_and_serialise(code(Lcp_Event::ruc));
    ASSERT_EQ(output.packets.size(), 1u);
    const Ppp_Bytes& reject = output.packets[0].octets;
    EXPECT_EQ(reject.size(), 1500u);
    EXPECT_EQ(reject[2] << 8 | reject[3], 1500);
    EXPECT_EQ((Ppp_Bytes(reject.begin() + 4, reject.begin() + 8)), (Ppp_Bytes{9, 3, echo[2], echo[3]}));
}

}  // namespace
