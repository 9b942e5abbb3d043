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

}  // namespace
