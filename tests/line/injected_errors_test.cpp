// The field device spoils its answers as it is told; the central station
// notices each spoiled answer and says what was wrong with it.
#include <gtest/gtest.h>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Injected_Errors = Line_Test;

const Request_Plan kGet{Kind::get, {{"demoInteger.0", "", 0}}};

struct Injected {
    const char* inject;
    int32_t result;
    const char* message;
};

TEST_F(Injected_Errors, EachSpoiledAnswerIsFlaggedWithItsText) {
    start_field();
    const Injected cases[] = {
        {"extra-byte", 0x400, "Error: Invalid Byte Sequence exception in message received, aborting request."},
        {"bad-crc", 0x8000, "Error: Bad CRC in message received, attempting to continue."},
        {"bad-control", 0x4000, "Error: Invalid control field in message received."},
        {"bad-address", 0x2000, "Error: Invalid address in message received."},
        // A frame whose FCS fails is read no further, so its address is never looked at.
        {"bad-crc,bad-address", 0x8000, "Error: Bad CRC in message received, attempting to continue."},
    };
    for (const Injected& spoiled : cases) {
        SCOPED_TRACE(spoiled.inject);
        inject(spoiled.inject);
        const Outcome out = round_trip(kGet);
        EXPECT_EQ(out.result, spoiled.result);
        EXPECT_EQ(out.message, spoiled.message);
    }
    inject("none");
    EXPECT_EQ(round_trip(kGet).result, 0);
}

TEST_F(Injected_Errors, ARemovedOctetNeverPassesForAGoodAnswer) {
    start_field({"--inject", "remove-byte"});
    // The octet goes from a random place: the message then fails to decode,
    // or decodes to something that does not answer the request.
    for (int i = 0; i < 5; ++i) {
        const Outcome out = round_trip(kGet);
        EXPECT_GT(out.result, 0) << out.message;
        EXPECT_EQ(out.message.rfind("Error: ", 0), 0u) << out.message;
    }
}

TEST_F(Injected_Errors, AChangedOctetStillGetsOneOutcome) {
    // The FCS is computed after the change, so the frame itself is sound;
    // whether the change shows depends on the octet it hit.
    start_field({"--inject", "change-byte"});
    for (int i = 0; i < 3; ++i) {
        const int32_t id = send(kGet);
        carry_request();
        const Frame answer = carry_answer();
        EXPECT_FALSE(answer.empty());
        EXPECT_NE(outcome(id).result, -1);
    }
}

TEST_F(Injected_Errors, AnUnansweredRequestTimesOutAndTheCountEndsTheInjection) {
    start_field();
    inject("no-response", 1);
    const int32_t id = send(kGet);
    carry_request();
    EXPECT_TRUE(take_answer(std::chrono::milliseconds(1500)).empty());
    const Outcome out = outcome(id);
    EXPECT_EQ(out.result, 0x10);
    EXPECT_EQ(out.message, "Error: The last message response timed out.");
    EXPECT_NE(field->output().find("Test error settings indicate to NOT RESPOND to this message"), std::string::npos);
    // One message was to go unanswered: the next is answered.
    EXPECT_EQ(round_trip(kGet).result, 0);
}

}  // namespace
