// The PPP link calls through libquorvan.so: the automaton driven by code
// and by name, the option set, the secret, raw packets, and the frames the
// link writes to a line.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/api/engine_fixture.h"
#include "tests/support/owned_text.h"
#include "tests/support/pty_pair.h"

namespace {

std::vector<std::string> shown;
int32_t show(const char* text) {
    shown.emplace_back(text);
    return 0;
}

class Ppp_Calls : public Sample_Engine {
protected:
    Ppp_Calls() { shown.clear(); }
};

TEST_F(Ppp_Calls, the_link_starts_initial_and_dead) {
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(GetLinkState(), 0);
    EXPECT_EQ(GetLinkPhase(), 0);
    EXPECT_EQ(GetLinkEvent(), 0);
    EXPECT_EQ(GetConnectionState(), 2);
    EXPECT_EQ(GetLinkType(), QV_LINK_PMPP);
    EXPECT_EQ(SetLinkType(3), -1);
    EXPECT_EQ(SetLinkType(QV_LINK_PPP), 0);
    EXPECT_EQ(GetLinkType(), QV_LINK_PPP);
}

// The front ends show the station's own names for the codes.
TEST_F(Ppp_Calls, link_texts_come_from_the_engine) {
    const struct {
        int32_t kind;
        int32_t value;
        const char* text;
    } cases[] = {
        {QV_LINK_TEXT_STATE, 6, "Request Sent"}, {QV_LINK_TEXT_STATE, 10, "No connection"},
        {QV_LINK_TEXT_PHASE, 3, "Network"},      {QV_LINK_TEXT_PHASE, 5, ""},
        {QV_LINK_TEXT_EVENT, 8, "RCR-(nak)"},    {QV_LINK_TEXT_EVENT, 19, "RXR"},
        {QV_LINK_TEXT_LCP_PACKET, 1, "Configure-Request"}, {QV_LINK_TEXT_LCP_PACKET, 11, "Discard-Request"},
        {QV_LINK_TEXT_LCP_PACKET, 0, ""},        {QV_LINK_TEXT_LCP_PACKET, 12, ""},
    };
    for (const auto& c : cases) {
        Owned_Text text;
        text.text = GetLinkText(c.kind, c.value);
        EXPECT_EQ(text.str(), c.text) << c.kind << " " << c.value;
    }
    EXPECT_EQ(GetLinkText(7, 0), nullptr);
}

TEST_F(Ppp_Calls, events_by_code_and_by_name) {
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(SetPPPEventT("Up", 0), QV_PPP_NOTHING);
    EXPECT_EQ(GetLinkState(), 2);
    EXPECT_EQ(GetLinkPhase(), 1);
    EXPECT_EQ(SetPPPEvent(3), QV_PPP_REQUEST);
    EXPECT_EQ(GetLinkState(), 6);
    EXPECT_EQ(GetLinkEvent(), 3);
    EXPECT_EQ(SetPPPEventT("RCR+ by hand", 0), QV_PPP_REPLY);
    EXPECT_EQ(GetLinkState(), 8);
    EXPECT_EQ(SetPPPEventT("Sideways", 0), QV_PPP_NOTHING);
    EXPECT_EQ(GetLinkState(), 8);
    EXPECT_EQ(GetLinkEvent(), -1);
    EXPECT_EQ(SetPPPEventT(nullptr, 0), -1);
}

TEST_F(Ppp_Calls, a_send_without_a_line_is_shown_as_failed) {
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(SetPPPEventT("Up", 0), QV_PPP_NOTHING);
    EXPECT_EQ(DoPPPEventT("Open", 0, show), QV_PPP_REQUEST);
    EXPECT_EQ(shown, std::vector<std::string>{"Error sending message"});
    EXPECT_EQ(GetLinkState(), 6);
}

TEST_F(Ppp_Calls, the_option_set_is_written_and_read_in_its_order) {
    ASSERT_EQ(init(), 0);
    uint32_t mru = 0, authentication = 0, quality = 9, magic = 9, reserved = 9, fcs = 9;
    uint8_t pfc = 9, acfc = 9, pad = 9, numbered = 9, callback = 9, further = 9;
    Owned_Text map;
    GetLCPOptions(&mru, &map.text, &authentication, &quality, &magic, &pfc, &acfc, &reserved, &fcs, &pad, &numbered,
                  &callback, &further);
    EXPECT_EQ(mru, 1500u);
    EXPECT_EQ(map.str(), "");
    EXPECT_EQ(authentication, 0xC223u);
    EXPECT_EQ(quality + magic + reserved + fcs, 0u);
    EXPECT_EQ(pfc + acfc + pad + numbered + callback + further, 0);

    SetLCPOptions(576, "FFFFFFFF", 0xC023, 0xC025, 0x87FE, 1, 1, 0, 0, 0, 0, 1, 0);
    Owned_Text again;
    GetLCPOptions(&mru, &again.text, &authentication, &quality, &magic, &pfc, &acfc, &reserved, &fcs, &pad, &numbered,
                  &callback, &further);
    EXPECT_EQ(mru, 576u);
    EXPECT_EQ(again.str(), "FFFFFFFF");
    EXPECT_EQ(authentication, 0xC023u);
    EXPECT_EQ(quality, 0xC025u);
    EXPECT_EQ(magic, 0x87FEu);
    EXPECT_EQ(pfc, 1);
    EXPECT_EQ(acfc, 1);
    EXPECT_EQ(callback, 1);
    // A link that does not negotiate CHAP has no challenge to send.
    SetPPPEventT("Up", 0);
    SetPPPEventT("Open", 0);
    EXPECT_EQ(Authenticate(show), 0);
}

TEST_F(Ppp_Calls, the_secret_is_the_configured_ppp_information) {
    ASSERT_EQ(init(), 0);
    EXPECT_EQ(SetPPPInfo("orchid"), 0);
    Owned_Text info;
    EXPECT_EQ(GetPPPInfo(&info.text), 0);
    EXPECT_EQ(info.str(), "orchid");
}

TEST_F(Ppp_Calls, a_raw_packet_is_chosen_by_name_and_leaves_the_automaton) {
    ASSERT_EQ(init(), 0);
    Owned_Text frame;
    EXPECT_EQ(SendLCPRawMessage("Echo", &frame.text, 5, show), -1);
    EXPECT_EQ(SendLCPRawMessage("Terminate-Ack", &frame.text, 5, show), 1);  // no line
    EXPECT_EQ(frame.str(), "7E FF 7D 23 C0 21 7D 26 7D 25 7D 20 7D 24 91 81 7E ");
    EXPECT_EQ(GetLinkState(), 0);
}

// The link on a pseudo-terminal: the far end reads what StartPPP writes.
TEST_F(Ppp_Calls, start_ppp_writes_the_configure_request_to_the_line) {
    Pty_Pair line;
    ASSERT_EQ(Init(line.terminal_name().c_str(), 9600, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
    EXPECT_EQ(StartPPP(show), 0);
    const std::vector<uint8_t> expected = {0x7E, 0xFF, 0x7D, 0x23, 0xC0, 0x21, 0x7D, 0x21, 0x7D, 0x20, 0x7D,
                                           0x20, 0x7D, 0x2D, 0x7D, 0x21, 0x7D, 0x24, 0x7D, 0x25, 0xDC, 0x7D,
                                           0x23, 0x7D, 0x25, 0xC2, 0x23, 0x7D, 0x25, 0x92, 0x7D, 0x3D, 0x7E};
    EXPECT_EQ(line.read(expected.size()), expected);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], " Sent: ");
    EXPECT_EQ(shown[1].substr(0, 18), "7E FF 7D 23 C0 21 ");
    EXPECT_EQ(GetLinkState(), 6);
    EXPECT_EQ(GetLinkPhase(), 1);
}

std::atomic<int32_t> reported_state{-1};
std::atomic<int32_t> reported_phase{-1};
void note_status(int32_t, int32_t, int32_t state, int32_t phase, const char*, int32_t, int32_t, int32_t, int32_t) {
    reported_state = state;
    reported_phase = phase;
}

// The receiver thread's status reports carry the link's state and phase; a
// PPP line answers the link event without writing anything.
TEST_F(Ppp_Calls, the_status_reports_the_link_state_and_phase) {
    Pty_Pair line;
    ASSERT_EQ(Init(line.terminal_name().c_str(), 9600, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
    ASSERT_EQ(SetLinkType(QV_LINK_PPP), 0);
    ASSERT_EQ(StartReceiverThread(nullptr, note_status), 0);
    EXPECT_EQ(StartPPP(nullptr), 0);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while ((reported_state != 6 || reported_phase != 1) && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(reported_state, 6);
    EXPECT_EQ(reported_phase, 1);
    EXPECT_EQ(GetConnectionState(), 1);  // a serial line is connected once its thread runs
    line.read_available();
    APISetLinkEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(line.read_available().empty());
}

}  // namespace
