// Frames found again after junk: a device that died mid-answer, or octets
// left on the line, never cost the next good frame - in either role.
#include <gtest/gtest.h>

#include <thread>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Resync = Line_Test;

const Request_Plan kGet{Kind::get, {{"demoInteger.0", "", 0}}};

// Longer than the pause after which a frame under assembly counts as cut off.
constexpr std::chrono::milliseconds kPause{800};

struct Junk_Case {
    const char* name;
    Frame (*junk)(const Frame& answer);
};

const Junk_Case kJunk[] = {
    {"the first half of the answer", [](const Frame& answer) { return Frame(answer.begin(), answer.begin() + 9); }},
    {"a flag and two stray octets", [](const Frame&) { return Frame{0x7E, 0x12, 0x34}; }},
};

TEST_F(Resync, TheAnswerAfterJunkAndAPauseIsReceivedIntact) {
    start_field();
    for (const Junk_Case& junk : kJunk) {
        SCOPED_TRACE(junk.name);
        forget_central_display();
        const int32_t id = send(kGet);
        carry_request();
        const Frame answer = take_answer();
        ASSERT_GT(answer.size(), 9u);
        central_line.write(junk.junk(answer));
        std::this_thread::sleep_for(kPause);
        central_line.write(answer);
        const Outcome out = outcome(id);
        EXPECT_EQ(out.result, 0) << out.message << central_display();
        EXPECT_EQ(out.value, "0");
        EXPECT_NE(central_display().find("Unfinished frame dropped after a pause on the line:"), std::string::npos)
            << central_display();
    }
}

TEST_F(Resync, TheRequestRightAfterJunkIsAnswered) {
    start_field();
    const int32_t id = send(kGet);
    const Frame request = read_frame(central_line, std::chrono::seconds(5));
    ASSERT_FALSE(request.empty());
    // The junk's frame is closed by the request's opening flag, which opens
    // the request as well.
    field_line.write({0x7E, 0x12, 0x34, 0x56});
    field_line.write(request);
    EXPECT_FALSE(carry_answer().empty()) << field->output();
    EXPECT_EQ(outcome(id).result, 0);
    // A field device has no request that a broken frame could end.
    EXPECT_EQ(field->output().find("No request to compare this response to!"), std::string::npos) << field->output();
}

TEST_F(Resync, NoiseRightAfterAGoodFrameStaysNoise) {
    start_field();
    EXPECT_EQ(round_trip(kGet).result, 0);
    // At once after the last answer: stray octets, then the next answer.
    const int32_t id = send(kGet);
    carry_request();
    Frame line(20, 0x55);
    const Frame answer = take_answer();
    line.insert(line.end(), answer.begin(), answer.end());
    central_line.write(line);
    const Outcome out = outcome(id);
    EXPECT_EQ(out.result, 0) << out.message << central_display();
}

}  // namespace
