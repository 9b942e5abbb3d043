// A field device that stalls (stopped longer than the time-out, then let go)
// answers late: the requests it stalled on end timed out, its late answers
// are charged to nobody, and the requests after it get their own answers.
#include <gtest/gtest.h>
#include <signal.h>

#include <thread>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Stall = Line_Test;

const Request_Plan kGet{Kind::get, {{"demoInteger.0", "", 0}}};
const Request_Plan kSet41{Kind::set, {{"demoInteger.0", "41", QV_TYPE_INTEGER}}};

TEST_F(Stall, RequestsTheDeviceStalledOnTimeOutAndItsLateAnswersAreChargedToNobody) {
    start_field();
    field->send_signal(SIGSTOP);
    const int32_t first = send(kSet41);
    carry_request();
    const int32_t second = send(kGet);
    carry_request();
    EXPECT_EQ(outcome(first).result, 0x10);
    EXPECT_EQ(outcome(second).result, 0x10);
    field->send_signal(SIGCONT);
    for (int late = 0; late < 2; ++late) EXPECT_FALSE(carry_answer().empty());
    const std::string stray = "No request to compare the response to!\n";
    const auto strays = [&] {
        const std::string display = central_display();
        int found = 0;
        for (size_t at = display.find(stray); at != std::string::npos; at = display.find(stray, at + 1)) ++found;
        return found;
    };
    for (int wait = 0; wait < 100 && strays() < 2; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(strays(), 2) << central_display();
    Owned_Text value;
    EXPECT_EQ(GetResponseValue(second, &value.text), -1);
    // The device carried the stalled Set out: the next Get reads its value.
    const Outcome after = round_trip(kGet);
    EXPECT_EQ(after.result, 0) << after.message;
    EXPECT_EQ(after.value, "41");
}

TEST_F(Stall, AStallShorterThanTheTimeOutCostsNothing) {
    start_field();
    field->send_signal(SIGSTOP);
    const int32_t id = send(kGet);
    carry_request();
    std::this_thread::sleep_for(std::chrono::milliseconds(kTimeOut * 1000 / 2));
    field->send_signal(SIGCONT);
    EXPECT_FALSE(carry_answer().empty());
    const Outcome out = outcome(id);
    EXPECT_EQ(out.result, 0) << out.message;
    EXPECT_EQ(out.value, "0");
}

}  // namespace
