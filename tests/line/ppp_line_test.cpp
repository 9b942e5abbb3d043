// Two stations over PPP on a pseudo-terminal line: the engine in the test
// as the central station, quorvan-cli as the field device in its own
// process. The test joins the two lines itself and keeps every octet that
// crosses, so it can read the frames each side wrote.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "quorvan.h"
#include "tests/line/line_fixture.h"
#include "tests/support/process.h"

namespace {

using namespace std::chrono_literals;

constexpr int32_t kRequestSent = 6;
constexpr int32_t kStopped = 3;
constexpr int32_t kOpened = 9;
constexpr int32_t kAuthentication = 2;
constexpr int32_t kNetwork = 3;
constexpr int32_t kToMinus = 6;

bool phase_within(int32_t phase, std::chrono::milliseconds patience) {
    const auto limit = std::chrono::steady_clock::now() + patience;
    while (GetLinkPhase() != phase) {
        if (std::chrono::steady_clock::now() >= limit) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

bool shown_within(const std::string& text, std::chrono::milliseconds patience) {
    const auto limit = std::chrono::steady_clock::now() + patience;
    while (central_display().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= limit) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class Ppp_Line_Test : public Line_Test {
protected:
    explicit Ppp_Line_Test(const char* secret = "orchid") : Line_Test(kTimeOut, secret) {}
    ~Ppp_Line_Test() override { stop_joining(); }

    // The field device on PPP with its secret, and the two lines joined.
    void start_ppp_field(const std::string& secret) {
        start_field({"--link", "ppp", "--secret", secret, "--restart-ms", std::to_string(kRestartMs)});
        joining_ = true;
        joiner_ = std::thread([this] {
            while (joining_) {
                const Frame from_central = central_line.read_available();
                if (!from_central.empty()) field_line.write(from_central);
                const Frame from_field = field_line.read_available();
                if (!from_field.empty()) central_line.write(from_field);
                std::lock_guard hold(crossed_mutex_);
                crossed_[0].insert(crossed_[0].end(), from_central.begin(), from_central.end());
                crossed_[1].insert(crossed_[1].end(), from_field.begin(), from_field.end());
                std::this_thread::sleep_for(1ms);
            }
        });
    }
    void stop_joining() {
        joining_ = false;
        if (joiner_.joinable()) joiner_.join();
    }

    // Every frame each side wrote, one a line in hex, for scapy to read.
    std::string capture() {
        std::lock_guard hold(crossed_mutex_);
        std::string lines;
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (const Frame& side : crossed_) {
            bool inside = false;
            std::string frame;
            for (uint8_t octet : side) {
                if (octet == 0x7E && inside && frame.size() > 2) {
                    lines += frame + "7E\n";
                    frame.clear();
                    inside = false;
                }
                if (octet == 0x7E) {
                    frame = "7E";
                    inside = true;
                } else if (inside) {
                    frame += kHex[octet >> 4];
                    frame += kHex[octet & 0xF];
                }
            }
        }
        return lines;
    }

    std::mutex crossed_mutex_;
    Frame crossed_[2];
    std::atomic<bool> joining_{false};
    std::thread joiner_;
};

TEST_F(Ppp_Line_Test, two_stations_reach_the_network_phase_and_exchange_snmp_over_ppp) {
    start_ppp_field("orchid");
    ASSERT_EQ(StartPPP(nullptr), 0);
    ASSERT_TRUE(phase_within(kNetwork, 10s)) << central_display() << field->output();
    EXPECT_EQ(GetLinkState(), kOpened);
    EXPECT_NE(central_display().find("\nCHAP Authentication successful, NTCIP over PPP enabled"), std::string::npos);
    // The field device was authenticated by the central station as well.
    EXPECT_TRUE(field->wait_for("\nCHAP Authentication successful, NTCIP over PPP enabled")) << field->output();

    const Outcome read = outcome(send({Kind::get, {{"demoInteger.0", "", 0}}}));
    EXPECT_EQ(read.result, 0) << read.message << central_display();
    EXPECT_EQ(read.value, "0");

    const Outcome written = outcome(send({Kind::set, {{"demoName.0", "Main Street", QV_TYPE_DISPLAY_TEXT}}}));
    EXPECT_EQ(written.result, 0) << written.message;
    EXPECT_EQ(written.status, 0);
    const Outcome back = outcome(send({Kind::get, {{"demoName.0", "", 0}}}));
    EXPECT_EQ(back.value, "Main Street");

    // scapy reads every frame that crossed, in both directions.
    stop_joining();
    central_dir.write("capture.txt", capture());
    const Process_Result scapy = run_process({PPP_CAPTURE_CHECK, central_dir.file("capture.txt")});
    EXPECT_EQ(scapy.exit_status, 0) << scapy.out << scapy.err;
    for (const char* protocol : {"0xc021", "0xc223", "0x00c1 6"})
        EXPECT_NE(scapy.out.find(protocol), std::string::npos) << scapy.out;
}

TEST_F(Ppp_Line_Test, a_bad_fcs_from_the_field_device_is_recorded_and_the_answer_kept) {
    start_ppp_field("orchid");
    ASSERT_EQ(StartPPP(nullptr), 0);
    ASSERT_TRUE(phase_within(kNetwork, 10s)) << central_display();
    inject("bad-crc");
    const Outcome read = outcome(send({Kind::get, {{"demoInteger.0", "", 0}}}));
    EXPECT_EQ(read.result, 0x8000) << read.message;
    EXPECT_NE(read.message.find("Bad CRC"), std::string::npos) << read.message;
    EXPECT_NE(central_display().find("Bad CRC in message received."), std::string::npos);
    EXPECT_NE(central_display().find("Attempting to continue"), std::string::npos);
}

TEST_F(Ppp_Line_Test, a_wrong_secret_fails_authentication_with_its_text) {
    start_ppp_field("lilac");
    ASSERT_EQ(StartPPP(nullptr), 0);
    EXPECT_TRUE(shown_within("\nCHAP Authentication failed", 10s)) << central_display();
    EXPECT_EQ(GetLinkState(), kOpened);
    EXPECT_EQ(GetLinkPhase(), kAuthentication);
}

// A peer that never answers: the Configure-Request goes out ten times in
// all, then TO- stops the link.
TEST_F(Ppp_Line_Test, a_silent_peer_has_the_request_sent_ten_times_then_to_minus) {
    ASSERT_EQ(StartPPP(nullptr), 0);
    EXPECT_EQ(GetLinkState(), kRequestSent);
    int requests = 0;
    for (Frame frame = read_frame(central_line, 2s); !frame.empty(); frame = read_frame(central_line, 2s)) {
        // 7E FF 7D 23 C0 21 7D 21: LCP, code 1 (stuffed).
        ASSERT_GE(frame.size(), 8u);
        EXPECT_EQ(Frame(frame.begin() + 4, frame.begin() + 8), (Frame{0xC0, 0x21, 0x7D, 0x21}));
        ++requests;
    }
    EXPECT_EQ(requests, 10);
    EXPECT_EQ(GetLinkState(), kStopped);
    EXPECT_EQ(GetLinkEvent(), kToMinus);
}

// What the central station's receiver says of single PPP frames that no
// peer sent in the course of a negotiation.
TEST_F(Ppp_Line_Test, stray_ppp_frames_are_reported_and_the_link_goes_on) {
    const struct {
        const char* name;
        Frame body;  // address to information
        const char* shown;
    } cases[] = {
        {"CHAP before the link is up", {0xFF, 0x03, 0xC2, 0x23, 0x01, 0x01, 0x00, 0x04},
         "\nCHAP message received, but not allowed in this PPP phase"},
        {"LCP whose length runs past the packet", {0xFF, 0x03, 0xC0, 0x21, 0x09, 0x01, 0x00, 0x40},
         "LCP packet refused: its length field is larger than the packet"},
        {"an address other than all-stations", {0x05, 0x03, 0x00, 0xC1, 0x30, 0x00},
         "Invalid address in message received."},
        {"a control field that is not PPP's", {0xFF, 0x99, 0x00, 0xC1, 0x30, 0x00},
         "Invalid control field in message received."},
        {"a protocol of one octet", {0xFF, 0x03, 0xC1}, "Incomplete or invalid message received, continuing to listen"},
    };
    for (const auto& c : cases) {
        forget_central_display();
        central_line.write(frame_around(c.body));
        EXPECT_TRUE(shown_within(c.shown, 2s)) << c.name << "\n" << central_display();
        EXPECT_EQ(GetLinkState(), 0) << c.name;
    }
}

}  // namespace
