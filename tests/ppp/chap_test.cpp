// CHAP with MD5: challenges, the answer to a challenge, the check of a
// response, and received packets handled by phase.
#include <gtest/gtest.h>

#include <string>

#include "ppp/chap.h"
#include "tests/ppp/ppp_fixture.h"

namespace {

Chap_Packet parsed(const Ppp_Bytes& octets) { return std::get<Chap_Packet>(parse_chap_packet(octets)); }

// A layer whose link is up and in the Authentication phase.
struct Authenticating {
    Test_Clock clock;
    PPP ppp{clock.source(), seeded_random()};
    Authenticating() {
        drive(ppp, route_to(Lcp_State::opened));
        ppp.set_secret("orchid");
    }
};

TEST(Chap, a_challenge_carries_64_to_255_random_octets_and_the_name_central) {
    const Random_Below random = seeded_random(3);
    size_t shortest = 255;
    size_t longest = 0;
    for (int i = 0; i < 400; ++i) {
        const Chap_Packet challenge = build_challenge(random);
        shortest = std::min(shortest, challenge.value.size());
        longest = std::max(longest, challenge.value.size());
        const Chap_Packet line = parsed(challenge.serialise());
        EXPECT_EQ(line.code, Chap_Code::challenge);
        EXPECT_EQ(line.length, 4 + 1 + challenge.value.size() + 7);
        EXPECT_EQ(line.value, challenge.value);
        EXPECT_EQ(line.name, "Central");
    }
    EXPECT_GE(shortest, 64u);
    EXPECT_LE(longest, 255u);
    EXPECT_LT(shortest, 70u);
    EXPECT_GT(longest, 250u);
}

TEST(Chap, two_challenges_in_a_row_carry_consecutive_identifiers) {
    const Random_Below random = seeded_random();
    const uint8_t first = build_challenge(random).identifier;
    EXPECT_EQ(build_challenge(random).identifier, static_cast<uint8_t>(first + 1));
}

TEST(Chap, the_answer_is_md5_over_identifier_secret_and_challenge) {
    Chap_Packet challenge;
    challenge.code = Chap_Code::challenge;
    challenge.identifier = 0x2A;
    challenge.value = {1, 2, 3, 4, 5};
    const Chap_Packet answer = answer_challenge(challenge, "orchid");
    Ppp_Bytes digested{0x2A, 'o', 'r', 'c', 'h', 'i', 'd', 1, 2, 3, 4, 5};
    const Md5_Digest digest = md5(digested);
    EXPECT_EQ(answer.value, Ppp_Bytes(digest.begin(), digest.end()));
    const Chap_Packet line = parsed(answer.serialise());
    EXPECT_EQ(line.code, Chap_Code::response);
    EXPECT_EQ(line.identifier, 0x2A);
    EXPECT_EQ(line.name, "CENTRAL");
    EXPECT_EQ(line.length, 16 + 7 + 5);
}

TEST(Chap, a_response_is_verified_against_this_sides_challenge) {
    Chap_Packet challenge = build_challenge(seeded_random());
    const Chap_Packet right = answer_challenge(challenge, "orchid");
    const Chap_Packet wrong = answer_challenge(challenge, "tulip");
    Chap_Packet cut = right;
    cut.value.resize(15);
    EXPECT_TRUE(response_matches(challenge, "orchid", right));
    EXPECT_FALSE(response_matches(challenge, "orchid", wrong));
    EXPECT_FALSE(response_matches(challenge, "orchid", cut));
    EXPECT_EQ(build_verdict(true, 9).serialise(), (Ppp_Bytes{3, 9, 0, 4}));
    EXPECT_EQ(build_verdict(false, 9).serialise(), (Ppp_Bytes{4, 9, 0, 4}));
}

TEST(Chap, outside_authentication_and_network_every_packet_is_not_allowed) {
    const Ppp_Bytes success{3, 1, 0, 4};
    for (const auto& route : {std::vector<Lcp_Event>{}, route_to(Lcp_State::req_sent),
                              std::vector<Lcp_Event>{Lcp_Event::up, Lcp_Event::open, Lcp_Event::rca,
                                                     Lcp_Event::rcr_plus, Lcp_Event::close}}) {
        PPP ppp;
        drive(ppp, route);
        const Link_Phase phase = ppp.phase();
        ASSERT_NE(phase, Link_Phase::authenticate);
        const Chap_Output output = ppp.receive_chap(success);
        EXPECT_EQ(output.result, Chap_Result::not_allowed);
        EXPECT_EQ(output.text, "\nCHAP message received, but not allowed in this PPP phase");
        EXPECT_FALSE(output.reply);
        EXPECT_EQ(ppp.phase(), phase);
    }
}

TEST(Chap, in_authentication_each_code_has_its_result) {
    Authenticating link;
    PPP& ppp = link.ppp;
    ASSERT_EQ(ppp.phase(), Link_Phase::authenticate);

    Chap_Packet peer_challenge = build_challenge(seeded_random(11));
    const Chap_Output answered = ppp.receive_chap(peer_challenge.serialise());
    EXPECT_EQ(answered.result, Chap_Result::send_reply);
    ASSERT_TRUE(answered.reply);
    EXPECT_EQ(answered.reply->name, "CHAP Response");
    EXPECT_TRUE(response_matches(peer_challenge, "orchid", parsed(answered.reply->octets)));

    const auto ours = ppp.authenticate();
    ASSERT_TRUE(ours);
    const Chap_Packet our_challenge = parsed(ours->octets);
    const Chap_Output verified = ppp.receive_chap(answer_challenge(our_challenge, "orchid").serialise());
    ASSERT_TRUE(verified.reply);
    EXPECT_EQ(verified.reply->octets, (Ppp_Bytes{3, our_challenge.identifier, 0, 4}));
    EXPECT_EQ(ppp.phase(), Link_Phase::authenticate);
    const Chap_Output refused = ppp.receive_chap(answer_challenge(our_challenge, "tulip").serialise());
    ASSERT_TRUE(refused.reply);
    EXPECT_EQ(refused.reply->octets, (Ppp_Bytes{4, our_challenge.identifier, 0, 4}));

    const Chap_Output success = ppp.receive_chap(Ppp_Bytes{3, 1, 0, 4});
    EXPECT_EQ(success.result, Chap_Result::success_received);
    EXPECT_EQ(success.text, "\nCHAP Authentication successful, NTCIP over PPP enabled");
    EXPECT_EQ(ppp.phase(), Link_Phase::network);

    const Chap_Output failure = ppp.receive_chap(Ppp_Bytes{4, 2, 0, 4});
    EXPECT_EQ(failure.result, Chap_Result::failure_received);
    EXPECT_EQ(failure.text, "\nCHAP Authentication failed");
    EXPECT_EQ(ppp.phase(), Link_Phase::authenticate);

    EXPECT_EQ(ppp.receive_chap(Ppp_Bytes{9, 1, 0, 4}).result, Chap_Result::unrecognised);
    EXPECT_EQ(ppp.receive_chap(Ppp_Bytes{3, 1}).result, Chap_Result::unrecognised);  // code 0
}

TEST(Chap, a_packet_whose_fields_run_past_its_end_is_refused) {
    const struct {
        const char* what;
        Ppp_Bytes packet;
        const char* refusal;
    } rows[] = {
        {"length larger than the packet", {3, 1, 0, 8, 0}, chap_refusal::kLengthPastEnd},
        {"length below the header", {1, 1, 0, 3, 0}, chap_refusal::kLengthBelowHeader},
        {"value size past the end", {1, 1, 0, 7, 16, 1, 2}, chap_refusal::kValuePastEnd},
        {"value size past the length", {2, 1, 0, 6, 2, 1, 2}, chap_refusal::kValuePastEnd},
        {"no value size", {1, 1, 0, 4}, chap_refusal::kNoValueSize},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Authenticating link;
        const Chap_Output output = link.ppp.receive_chap(row.packet);
        EXPECT_EQ(output.result, Chap_Result::refused);
        EXPECT_EQ(output.text, row.refusal);
        EXPECT_FALSE(output.reply);
        EXPECT_EQ(link.ppp.phase(), Link_Phase::authenticate);
    }
}

TEST(Chap, no_challenge_unless_the_request_negotiates_chap) {
    EXPECT_FALSE(PPP().authenticate());  // no request built yet
    Test_Clock clock;
    PPP ppp(clock.source(), seeded_random());
    Lcp_Options options;
    options.authentication_protocol = kPapProtocol;
    ppp.set_options(options);
    drive(ppp, route_to(Lcp_State::opened));
    EXPECT_FALSE(ppp.authenticate());
}

}  // namespace
