// A line that chatters: stray octets arriving all the time must neither keep
// a request from timing out nor flood the display.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Noise = Line_Test;

const Request_Plan kGet{Kind::get, {{"demoInteger.0", "", 0}}};

// Writes one stray octet to the line every period until stopped.
class Chatter {
public:
    Chatter(const Pty_Pair& line, uint8_t octet, std::chrono::milliseconds period)
        : thread_([this, &line, octet, period] {
              while (!stop_) {
                  line.write({octet});
                  std::this_thread::sleep_for(period);
              }
          }) {}
    ~Chatter() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(Noise, ARequestTimesOutAtItsTimeOutWhateverArrives) {
    const int32_t id = send(kGet);
    ASSERT_FALSE(read_frame(central_line, std::chrono::seconds(5)).empty());
    Outcome out;
    {
        const Chatter noise(central_line, 0x55, std::chrono::milliseconds(50));
        out = outcome(id);
    }
    EXPECT_EQ(out.result, 0x10) << central_display();
    EXPECT_EQ(out.message, "Error: The last message response timed out.");
}

size_t lines_with(const std::string& display, const std::string& text) {
    size_t lines = 0;
    for (size_t at = display.find(text); at != std::string::npos; at = display.find(text, at + 1)) ++lines;
    return lines;
}

// Waits until the display holds the text and has then been quiet a while.
std::string settled_display(const std::string& text) {
    for (int wait = 0; wait < 200 && central_display().find(text) == std::string::npos; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::string display = central_display();
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const std::string later = central_display();
        if (later == display) return display;
        display = later;
    }
}

TEST_F(Noise, ARunOfStrayOctetsIsOneLineWithItsCountAndFirstOctets) {
    const std::string prefix = "Flag format error in message received:";
    central_line.write(Frame(40, 0x55));
    const std::string display = settled_display(prefix);
    EXPECT_EQ(lines_with(display, prefix), 1u) << display;
    EXPECT_NE(display.find(prefix + " 55 55 55 55 55 55 55 55 ... (40 octets)\n"), std::string::npos) << display;
}

TEST_F(Noise, NoiseThatGoesOnIsReportedOnceASecond) {
    const std::string prefix = "Flag format error in message received:";
    const auto start = std::chrono::steady_clock::now();
    {
        const Chatter noise(central_line, 0x55, std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    }
    const std::string display = settled_display(prefix);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    // About 500 stray octets: a line a second, and one for each pause the
    // writer took, not a line an octet.
    EXPECT_GE(lines_with(display, prefix), 2u) << display;
    EXPECT_LE(lines_with(display, prefix), 2 * static_cast<size_t>(seconds.count()) + 2) << display;
}

}  // namespace
