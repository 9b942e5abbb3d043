// The option set this side offers, the check of a peer's Configure-Request
// option by option, the Ack, Nak and Reject that answer it, and received
// packets whose fields run past their end.
#include <gtest/gtest.h>

#include "ppp/lcp_options.h"
#include "tests/ppp/ppp_fixture.h"

namespace {

std::vector<Lcp_Option> options_of(const Ppp_Bytes& octets) {
    return std::get<std::vector<Lcp_Option>>(parse_options(octets));
}

TEST(Lcp_Options, defaults_enable_mru_and_authentication) {
    const Lcp_Options options;
    EXPECT_EQ(options.enabled_types(), (std::vector<uint8_t>{1, 3}));
    EXPECT_EQ(encode_request_options(options), (Ppp_Bytes{0x01, 0x04, 0x05, 0xDC, 0x03, 0x05, 0xC2, 0x23, 0x05}));
}

TEST(Lcp_Options, every_option_enabled_goes_in_the_order_of_the_set_with_fixed_octets) {
    Lcp_Options options;
    options.maximum_receive_unit = 576;
    options.async_control_character_map = "0";
    options.authentication_protocol = kPapProtocol;
    options.quality_protocol = 1;
    options.magic_number = 12345;
    options.protocol_field_compression = 1;
    options.address_control_field_compression = 1;
    options.reserved = 1;
    options.fcs_alternatives = 1;
    options.self_describing_pad = 1;
    options.numbered_mode = 1;
    options.callback = 1;
    options.further_flag = 1;
    EXPECT_EQ(options.enabled_types(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 7, 8, 0, 9, 10, 11, 13, 16}));
    EXPECT_EQ(encode_request_options(options),
              (Ppp_Bytes{0x01, 0x04, 0x05, 0xDC, 0x02, 0x06, 0xFF, 0xFF, 0xFF, 0x20, 0x03, 0x05, 0xC2, 0x23, 0x05,
                         0x04, 0x04, 0xC0, 0x25, 0x05, 0x06, 0x00, 0x00, 0x87, 0xFE, 0x07, 0x02, 0x08, 0x02}));
}

TEST(Lcp_Options, pap_still_offers_chap_with_md5) {
    Lcp_Options options;
    options.authentication_protocol = kPapProtocol;
    EXPECT_EQ(encode_request_options(options), (Ppp_Bytes{0x01, 0x04, 0x05, 0xDC, 0x03, 0x05, 0xC2, 0x23, 0x05}));
}

struct Check_Row {
    const char* what;
    Ppp_Bytes options;
    Lcp_Event event;
    Ppp_Bytes nak;
    Ppp_Bytes reject;
};

const Check_Row kChecks[] = {
    {"MRU 1500, ACCM zero, CHAP with MD5", {0x01, 0x04, 0x05, 0xDC, 0x02, 0x06, 0, 0, 0, 0, 0x03, 0x05, 0xC2, 0x23, 0x05},
     Lcp_Event::rcr_plus, {}, {}},
    {"no options", {}, Lcp_Event::rcr_plus, {}, {}},
    {"MRU 1492", {0x01, 0x04, 0x05, 0xD4}, Lcp_Event::rcr_nak, {0x01, 0x04, 0x05, 0xDC}, {}},
    {"a map other than zero", {0x02, 0x06, 0xFF, 0xFF, 0xFF, 0xFF}, Lcp_Event::rcr_nak,
     {0x02, 0x06, 0, 0, 0, 0}, {}},
    {"PAP", {0x03, 0x04, 0xC0, 0x23}, Lcp_Event::rcr_nak, {0x03, 0x05, 0xC2, 0x23, 0x05}, {}},
    {"CHAP with another algorithm", {0x03, 0x05, 0xC2, 0x23, 0x80}, Lcp_Event::rcr_nak,
     {0x03, 0x05, 0xC2, 0x23, 0x05}, {}},
    {"a quality protocol", {0x04, 0x04, 0xC0, 0x25}, Lcp_Event::rcr_nak, {0x04, 0x04, 0xC0, 0x25}, {}},
    {"a magic number is recorded, not naked", {0x05, 0x06, 1, 2, 3, 4}, Lcp_Event::rcr_plus,
     {0x05, 0x06, 0, 0, 0, 0}, {}},
    {"protocol field compression", {0x01, 0x04, 0x05, 0xDC, 0x07, 0x02}, Lcp_Event::rcr_rej, {}, {0x07, 0x02}},
    {"address and control field compression", {0x08, 0x02}, Lcp_Event::rcr_rej, {}, {0x08, 0x02}},
    {"type 0 stops the check at once", {0x00, 0x03, 0x09, 0x01, 0x04, 0x05, 0xD4}, Lcp_Event::rcr_rej, {},
     {0x00, 0x03, 0x09}},
    {"options copied on reject", {0x09, 0x03, 0x01, 0x0A, 0x03, 0x02, 0x0B, 0x02, 0x0D, 0x03, 0x06, 0x10, 0x02},
     Lcp_Event::rcr_rej, {}, {0x09, 0x03, 0x01, 0x0A, 0x03, 0x02, 0x0B, 0x02, 0x0D, 0x03, 0x06, 0x10, 0x02}},
    {"other types are left out of the reject", {0x06, 0x06, 0, 0, 0, 0, 0x11, 0x04, 0x05, 0xDC},
     Lcp_Event::rcr_rej, {}, {}},
    {"a nak stops at an option it has no proposal for", {0x01, 0x04, 0x05, 0xD4, 0x07, 0x02, 0x04, 0x04, 0xC0, 0x25},
     Lcp_Event::rcr_rej, {0x01, 0x04, 0x05, 0xDC}, {0x07, 0x02}},
};

TEST(Lcp_Options, a_peer_request_is_checked_and_answered_option_by_option) {
    for (const Check_Row& row : kChecks) {
        SCOPED_TRACE(row.what);
        const auto options = options_of(row.options);
        EXPECT_EQ(check_request(options).event, row.event);
        EXPECT_EQ(nak_options(options), row.nak);
        EXPECT_EQ(reject_options(options), row.reject);
    }
    const Request_Check magic = check_request(options_of({0x05, 0x06, 1, 2, 3, 4}));
    EXPECT_TRUE(magic.has_magic_number);
    EXPECT_EQ(magic.magic_number, (Ppp_Bytes{1, 2, 3, 4}));
}

TEST(Lcp_Options, replies_carry_the_received_identifier) {
    Test_Clock clock;
    PPP ppp(clock.source(), seeded_random());
    drive(ppp, route_to(Lcp_State::req_sent));
    const Ppp_Bytes request{0x01, 0x77, 0x00, 0x0D, 0x01, 0x04, 0x05, 0xDC, 0x03, 0x05, 0xC2, 0x23, 0x05};
    const Lcp_Output ack = ppp.receive_lcp(request);
    ASSERT_EQ(ack.packets.size(), 1u);
    EXPECT_EQ(ack.packets[0].octets, (Ppp_Bytes{0x02, 0x77, 0x00, 0x0D, 0x01, 0x04, 0x05, 0xDC, 0x03, 0x05, 0xC2,
                                                0x23, 0x05}));
    EXPECT_EQ(ack.packets[0].name, "LCP Configure Ack");

    const Lcp_Output nak = ppp.receive_lcp(Ppp_Bytes{0x01, 0x78, 0x00, 0x08, 0x01, 0x04, 0x05, 0xD4});
    ASSERT_EQ(nak.packets.size(), 1u);
    EXPECT_EQ(nak.packets[0].octets, (Ppp_Bytes{0x03, 0x78, 0x00, 0x08, 0x01, 0x04, 0x05, 0xDC}));

    const Lcp_Output reject = ppp.receive_lcp(Ppp_Bytes{0x01, 0x79, 0x00, 0x06, 0x07, 0x02});
    ASSERT_EQ(reject.packets.size(), 1u);
    EXPECT_EQ(reject.packets[0].octets, (Ppp_Bytes{0x04, 0x79, 0x00, 0x06, 0x07, 0x02}));

    const Lcp_Output terminate = ppp.receive_lcp(Ppp_Bytes{0x05, 0x7A, 0x00, 0x04});
    ASSERT_EQ(terminate.packets.size(), 1u);
    EXPECT_EQ(terminate.packets[0].octets, (Ppp_Bytes{0x06, 0x7A, 0x00, 0x04}));
}

TEST(Lcp_Options, octets_after_the_length_are_padding) {
    PPP ppp;
    drive(ppp, route_to(Lcp_State::req_sent));
    const Lcp_Output ack = ppp.receive_lcp(Ppp_Bytes{0x01, 0x10, 0x00, 0x08, 0x01, 0x04, 0x05, 0xDC, 0x07, 0x02});
    ASSERT_EQ(ack.packets.size(), 1u);
    EXPECT_EQ(ack.packets[0].octets, (Ppp_Bytes{0x02, 0x10, 0x00, 0x08, 0x01, 0x04, 0x05, 0xDC}));
}

struct Refused_Row {
    const char* what;
    Ppp_Bytes packet;
    const char* refusal;
};

const Refused_Row kRefused[] = {
    {"shorter than the header", {0x01, 0x02, 0x00}, lcp_refusal::kShorterThanHeader},
    {"a length field larger than the packet", {0x01, 0x02, 0x00, 0x0A, 0x01, 0x04}, lcp_refusal::kLengthPastEnd},
    {"a length field below the header", {0x09, 0x02, 0x00, 0x02}, lcp_refusal::kLengthBelowHeader},
    {"an option length past the end", {0x01, 0x02, 0x00, 0x0A, 0x01, 0x04, 0x05, 0xDC, 0x03, 0x05},
     lcp_refusal::kOptionPastEnd},
    {"an option length past the packet's length", {0x01, 0x02, 0x00, 0x07, 0x01, 0x04, 0x05, 0xDC},
     lcp_refusal::kOptionPastEnd},
    {"an option length of 1", {0x01, 0x02, 0x00, 0x06, 0x01, 0x01}, lcp_refusal::kOptionTooShort},
    {"an option length of 0", {0x01, 0x02, 0x00, 0x06, 0x05, 0x00}, lcp_refusal::kOptionTooShort},
    {"an option cut after its type", {0x01, 0x02, 0x00, 0x05, 0x01}, lcp_refusal::kOptionPastEnd},
    {"a Configure-Ack with an option past the end", {0x02, 0x00, 0x00, 0x06, 0x01, 0x09}, lcp_refusal::kOptionPastEnd},
    {"a Configure-Reject with an option below 2", {0x04, 0x00, 0x00, 0x06, 0x07, 0x00}, lcp_refusal::kOptionTooShort},
};

TEST(Lcp_Options, a_packet_whose_fields_run_past_its_end_is_refused_and_the_automaton_goes_on) {
    for (const Refused_Row& row : kRefused) {
        SCOPED_TRACE(row.what);
        Test_Clock clock;
        PPP ppp(clock.source(), seeded_random());
        drive(ppp, route_to(Lcp_State::req_sent));
        const Lcp_Output output = ppp.receive_lcp(row.packet);
        EXPECT_EQ(output.refusal, row.refusal);
        EXPECT_TRUE(output.packets.empty());
        EXPECT_EQ(ppp.state(), Lcp_State::req_sent);
        EXPECT_EQ(ppp.received_packet().code, 0);
        // The next good packet is handled.
        const Lcp_Output ack =
            ppp.receive_lcp(Ppp_Bytes{0x01, 0x05, 0x00, 0x08, 0x01, 0x04, 0x05, 0xDC});
        EXPECT_EQ(packet_codes(ack), std::vector<int>{2});
        EXPECT_EQ(ppp.state(), Lcp_State::ack_sent);
    }
}

}  // namespace
