// Two PPP layers wired back to back, each framing what it sends for the
// other: LCP to Opened, CHAP to the Network phase (or to its failure), and
// NTCIP messages after it; and the restart timer against a peer that does
// not answer as it should.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "ppp/ppp_link.h"
#include "tests/ppp/ppp_fixture.h"

namespace {

struct Sent {
    Ppp_Bytes frame;
    std::string label;
};

struct Queue_Sink : Frame_Sink {
    std::deque<Sent> frames;
    void send_frame(const Ppp_Bytes& frame, std::string_view label) override {
        frames.push_back({frame, std::string(label)});
    }
};

// One side of the link: its layer, what it has sent and not yet delivered,
// and the texts it showed.
struct Station {
    Station(Test_Clock& clock, std::string secret, uint32_t seed)
        : ppp(clock.source(), seeded_random(seed)), link(ppp, sink, [this](std::string_view text) {
              texts.emplace_back(text);
          }) {
        ppp.set_secret(std::move(secret));
    }
    PPP ppp;
    Queue_Sink sink;
    Ppp_Link link;
    std::vector<std::string> texts;
    std::vector<Ppp_Bytes> ntcip;
};

// Delivers everything in flight, both ways, until the line is quiet.
void deliver(Station& a, Station& b) {
    while (!a.sink.frames.empty() || !b.sink.frames.empty()) {
        for (auto [from, to] : {std::pair{&a, &b}, std::pair{&b, &a}}) {
            if (from->sink.frames.empty()) continue;
            const Sent sent = from->sink.frames.front();
            from->sink.frames.pop_front();
            const Ppp_Received received = to->link.receive_frame(sent.frame);
            EXPECT_EQ(received.error, "") << sent.label;
            if (received.ntcip) to->ntcip.push_back(*received.ntcip);
        }
    }
}

// Delivers, then an idle pass on each side; as many rounds as asked.
void run(Station& a, Station& b, int rounds = 6) {
    for (int round = 0; round < rounds; ++round) {
        deliver(a, b);
        a.link.idle_pass();
        b.link.idle_pass();
    }
}

bool shown(const Station& station, const std::string& text) {
    return std::find(station.texts.begin(), station.texts.end(), text) != station.texts.end();
}

TEST(Ppp_Link, two_stations_reach_opened_and_the_network_phase_with_chap) {
    Test_Clock clock;
    Station central(clock, "orchid", 1);
    Station field(clock, "orchid", 2);
    central.link.open();
    field.link.open();
    run(central, field);
    for (const Station* station : {&central, &field}) {
        EXPECT_EQ(station->ppp.state(), Lcp_State::opened);
        EXPECT_EQ(station->ppp.phase(), Link_Phase::network);
        EXPECT_TRUE(shown(*station, "\nCHAP Authentication successful, NTCIP over PPP enabled"));
    }

    const Ppp_Bytes get{0x30, 0x1D, 0x02, 0x01, 0x00};
    central.link.send_ntcip(get);
    Raw_Message sent;
    sent.octets = central.sink.frames.back().frame;
    Decode_Result result;
    decode_ppp_frame(sent, result);
    EXPECT_EQ(result.ipi, ppp_protocol::kNtcip);
    EXPECT_EQ(central.sink.frames.back().label, "NTCIP");
    run(central, field, 1);
    ASSERT_EQ(field.ntcip.size(), 1u);
    EXPECT_EQ(field.ntcip[0], get);
}

// The field device's first quiet pass comes only after the central station
// has challenged it and sent Success, which moves it to the Network phase:
// it still challenges the central station, which would otherwise wait in
// the Authentication phase for ever.
TEST(Ppp_Link, a_side_authenticated_before_its_first_quiet_pass_still_challenges) {
    Test_Clock clock;
    Station central(clock, "orchid", 1);
    Station field(clock, "orchid", 2);
    central.link.open();
    field.link.open();
    deliver(central, field);
    ASSERT_EQ(field.ppp.phase(), Link_Phase::authenticate);
    central.link.idle_pass();
    deliver(central, field);
    EXPECT_EQ(field.ppp.phase(), Link_Phase::network);
    EXPECT_EQ(central.ppp.phase(), Link_Phase::authenticate);
    field.link.idle_pass();
    deliver(central, field);
    EXPECT_EQ(central.ppp.phase(), Link_Phase::network);
    // Once is enough.
    field.link.idle_pass();
    EXPECT_TRUE(field.sink.frames.empty());
}

TEST(Ppp_Link, a_wrong_secret_fails_with_its_text) {
    Test_Clock clock;
    Station central(clock, "orchid", 1);
    Station field(clock, "tulip", 2);
    central.link.open();
    field.link.open();
    run(central, field);
    for (const Station* station : {&central, &field}) {
        EXPECT_EQ(station->ppp.state(), Lcp_State::opened);
        EXPECT_EQ(station->ppp.phase(), Link_Phase::authenticate);
        EXPECT_TRUE(shown(*station, "\nCHAP Authentication failed"));
        EXPECT_FALSE(shown(*station, "\nCHAP Authentication successful, NTCIP over PPP enabled"));
    }
}

int count_labelled(const Queue_Sink& sink, const std::string& label) {
    return static_cast<int>(std::count_if(sink.frames.begin(), sink.frames.end(),
                                          [&](const Sent& sent) { return sent.label == label; }));
}

TEST(Ppp_Link, a_peer_that_never_answers_sees_the_request_ten_times_then_to_minus) {
    Test_Clock clock;
    Station central(clock, "orchid", 1);
    central.link.open();
    for (int pass = 0; pass < 30; ++pass) {
        clock.now += 100;
        central.link.idle_pass();  // well inside the restart time: nothing
        clock.now += PPP::kDefaultRestartTimerMs;
        central.link.idle_pass();
    }
    EXPECT_EQ(count_labelled(central.sink, "LCP Configure Request"), 10);
    EXPECT_EQ(central.sink.frames.size(), 10u);
    EXPECT_EQ(central.ppp.state(), Lcp_State::stopped);
    EXPECT_EQ(central.ppp.last_event(), static_cast<int32_t>(Lcp_Event::to_minus));
}

// A layer that has sent its Configure-Request, and the frame of an answer
// from the peer with the request's identifier or another.
struct Requesting {
    Test_Clock clock;
    Station central{clock, "orchid", 1};
    Requesting() { central.link.open(); }
    uint8_t request_id() const { return central.ppp.request_packet().identifier; }
    void answer(uint8_t code, uint8_t identifier, Ppp_Bytes options = {0x01, 0x04, 0x05, 0xDC}) {
        Ppp_Bytes packet{code, identifier, 0, static_cast<uint8_t>(4 + options.size())};
        packet.insert(packet.end(), options.begin(), options.end());
        central.link.receive_frame(encode_ppp_frame(packet, ppp_protocol::kLcp));
    }
    int requests_after_expiry() {
        central.sink.frames.clear();
        clock.now += PPP::kDefaultRestartTimerMs + 1;
        central.link.idle_pass();
        return count_labelled(central.sink, "LCP Configure Request");
    }
};

TEST(Ppp_Link, a_matching_ack_stops_the_restart_timer) {
    Requesting link;
    link.answer(2, link.request_id(), {0x01, 0x04, 0x05, 0xDC, 0x03, 0x05, 0xC2, 0x23, 0x05});
    EXPECT_EQ(link.central.ppp.state(), Lcp_State::ack_rcvd);
    EXPECT_EQ(link.requests_after_expiry(), 0);
}

TEST(Ppp_Link, a_configure_reject_does_not_stop_the_restart_timer) {
    Requesting link;
    link.answer(4, link.request_id(), {0x03, 0x05, 0xC2, 0x23, 0x05});
    // RCN in Request Sent: a new request at once, and again on each expiry.
    EXPECT_EQ(count_labelled(link.central.sink, "LCP Configure Request"), 2);
    EXPECT_EQ(link.requests_after_expiry(), 1);
    EXPECT_EQ(link.requests_after_expiry(), 1);
    EXPECT_EQ(link.central.ppp.state(), Lcp_State::req_sent);
}

// An Ack whose identifier is not the request's is taken as RCA all the
// same; the restart timer does not count it as the answer, so the request
// goes out again on expiry and the link negotiates on instead of resting on
// an Ack for something else.
TEST(Ppp_Link, an_ack_with_another_identifier_is_taken_and_the_request_repeated_on_expiry) {
    Requesting link;
    link.answer(2, static_cast<uint8_t>(link.request_id() + 5));
    EXPECT_EQ(link.central.ppp.state(), Lcp_State::ack_rcvd);
    EXPECT_EQ(link.requests_after_expiry(), 1);
    EXPECT_EQ(link.central.ppp.state(), Lcp_State::req_sent);
    link.answer(2, link.request_id());
    EXPECT_EQ(link.central.ppp.state(), Lcp_State::ack_rcvd);
    EXPECT_EQ(link.requests_after_expiry(), 0);
}

TEST(Ppp_Link, a_raw_packet_is_sent_by_code_and_identifier_and_leaves_the_automaton) {
    Test_Clock clock;
    Station central(clock, "orchid", 1);
    const Ppp_Bytes frame = central.link.send_raw(Lcp_Code::echo_request, 0x42);
    EXPECT_EQ(central.sink.frames.back().label, "LCP Echo Request");
    EXPECT_EQ(frame, encode_ppp_frame(Ppp_Bytes{0x09, 0x42, 0x00, 0x08, 0, 0, 0, 0}, ppp_protocol::kLcp));
    EXPECT_EQ(central.ppp.state(), Lcp_State::initial);
    EXPECT_EQ(central.ppp.request_packet().code, 0);
}

TEST(Ppp_Link, an_event_raised_without_sending_sends_nothing) {
    Test_Clock clock;
    Station central(clock, "orchid", 1);
    EXPECT_EQ(central.link.raise(static_cast<int32_t>(Lcp_Event::up), true), Lcp_Result::nothing);
    EXPECT_EQ(central.link.raise(static_cast<int32_t>(Lcp_Event::open), false), Lcp_Result::request);
    EXPECT_TRUE(central.sink.frames.empty());
    EXPECT_EQ(central.ppp.state(), Lcp_State::req_sent);
}

}  // namespace

namespace {

// The timer runs only while a request waits for its answer: a link that
// has opened, or has given up, raises no time-outs.
TEST(Ppp_Link, the_restart_timer_rests_outside_the_states_that_wait_for_an_answer) {
    Requesting link;
    link.answer(2, link.request_id(), {0x01, 0x04, 0x05, 0xDC, 0x03, 0x05, 0xC2, 0x23, 0x05});
    link.central.link.receive_frame(
        encode_ppp_frame(Ppp_Bytes{0x01, 0x30, 0x00, 0x08, 0x01, 0x04, 0x05, 0xDC}, ppp_protocol::kLcp));
    ASSERT_EQ(link.central.ppp.state(), Lcp_State::opened);
    // An Echo-Request is now the last packet received: not an answer.
    link.central.link.receive_frame(
        encode_ppp_frame(Ppp_Bytes{0x09, 0x31, 0x00, 0x08, 0, 0, 0, 0}, ppp_protocol::kLcp));
    const int32_t counter = link.central.ppp.restart_counter();
    link.requests_after_expiry();
    link.requests_after_expiry();
    EXPECT_EQ(link.central.ppp.last_event(), static_cast<int32_t>(Lcp_Event::rxr));
    EXPECT_EQ(link.central.ppp.restart_counter(), counter);
    EXPECT_EQ(link.central.ppp.state(), Lcp_State::opened);
}

TEST(Ppp_Link, only_ntcip_protocols_go_to_the_codec) {
    Test_Clock clock;
    Station field(clock, "orchid", 2);
    const Ppp_Bytes message{0x30, 0x00};
    EXPECT_TRUE(field.link.receive_frame(encode_ppp_frame(message, 0x00C1)).ntcip);
    EXPECT_TRUE(field.link.receive_frame(encode_ppp_frame(message, 0x00C0)).ntcip);
    const Ppp_Received ip = field.link.receive_frame(encode_ppp_frame(message, 0x0021));
    EXPECT_FALSE(ip.ntcip);
    EXPECT_EQ(ip.decode.ipi, 0x0021);
}

}  // namespace
