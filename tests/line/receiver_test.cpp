// How the receiver takes what arrives on the line: frames run together,
// noise before a frame, answers nobody waits for, garbage of any kind.
#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Receiver = Line_Test;

const Request_Plan kGet{Kind::get, {{"demoInteger.0", "", 0}}};
const Request_Plan kGetNext{Kind::get_next, {{"demoInteger.0", "", 0}}};
const char* const kNextName = "1.3.6.1.4.1.1206.4.2.99.1.2.0";

Frame joined(Frame first, const Frame& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Frame garbage(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    Frame octets(size);
    // Plenty of flags and escapes among the noise.
    for (uint8_t& octet : octets) {
        const uint32_t pick = random() % 8;
        octet = pick == 0 ? 0x7E : pick == 1 ? 0x7D : static_cast<uint8_t>(random());
    }
    return octets;
}

TEST_F(Receiver, TwoFramesInOneReadAnswerTwoRequests) {
    start_field();
    const int32_t first = send(kGet);
    const int32_t second = send(kGetNext);
    carry_request();
    const Frame first_answer = take_answer();
    carry_request();
    const Frame second_answer = take_answer();
    central_line.write(joined(first_answer, second_answer));
    const Outcome first_outcome = outcome(first);
    const Outcome second_outcome = outcome(second);
    EXPECT_EQ(first_outcome.result, 0) << first_outcome.message;
    EXPECT_EQ(first_outcome.value, "0");
    EXPECT_EQ(second_outcome.result, 0) << second_outcome.message;
    EXPECT_EQ(second_outcome.value, kNextName);
}

TEST_F(Receiver, OctetsBeforeTheOpeningFlagAreReportedAsOneRunAndDropped) {
    start_field();
    const int32_t id = send(kGet);
    carry_request();
    central_line.write(joined({0x41, 0x0D}, take_answer()));
    EXPECT_EQ(outcome(id).result, 0);
    const std::string display = central_display();
    EXPECT_NE(display.find("Flag format error in message received: 41 0D (2 octets)\n"), std::string::npos) << display;
}

TEST_F(Receiver, AnAnswerNobodyWaitsForIsReportedAndNotStored) {
    start_field();
    const int32_t id = send(kGet);
    carry_request();
    const Frame answer = carry_answer();
    EXPECT_EQ(outcome(id).result, 0);
    central_line.write(answer);
    // The next request is sent after the stray answer has been taken.
    const std::string stray = "No request to compare the response to!\n";
    for (int wait = 0; wait < 100 && central_display().find(stray) == std::string::npos; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_NE(central_display().find(stray), std::string::npos);
    Owned_Text value;
    EXPECT_EQ(GetResponseValue(id, &value.text), -1);
    EXPECT_EQ(round_trip(kGetNext).value, kNextName);
}

TEST_F(Receiver, OnlyTheOldestOutcomeCanBeCleared) {
    start_field();
    const int32_t first = round_trip_kept(kGet);
    const int32_t second = round_trip_kept(kGetNext);
    EXPECT_EQ(ClearErrorState(second), -1);
    EXPECT_EQ(outcome(second, false).value, kNextName);
    EXPECT_EQ(ClearErrorState(first), 0);
    EXPECT_EQ(ClearErrorState(first), -1);
    EXPECT_EQ(ClearErrorState(second), 0);
    EXPECT_EQ(ClearErrorState(second), -1);
}

TEST_F(Receiver, GarbageOnEitherLineLeavesBothStationsWorking) {
    start_field();
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE(seed);
        field_line.write(garbage(3000, seed));
        central_line.write(garbage(3000, seed + 100));
        // A flag ends whatever frame the noise left open.
        field_line.write({0x7E});
        central_line.write({0x7E});
        // Let the central station finish with the noise before it sends.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_TRUE(take_answer(std::chrono::milliseconds(300)).empty()) << "the field device answered noise";
        const Outcome out = round_trip(kGet);
        EXPECT_EQ(out.result, 0) << out.message;
    }
}

}  // namespace
