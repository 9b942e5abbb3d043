// The send and response calls that need no line: CalcCrc.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/api/engine_fixture.h"

namespace {

using Send_Calls = Sample_Engine;

const uint8_t kCheck[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};

TEST_F(Send_Calls, CalcCrcNeedsAnEngine) {
    uint16_t result = 0x1234;
    EXPECT_EQ(CalcCrc(kCheck, sizeof kCheck, &result), -1);
    EXPECT_EQ(result, 0x1234);
}

TEST_F(Send_Calls, CalcCrcGivesTheFcsOctetsInLineOrder) {
    ASSERT_EQ(init(), 0);
    uint16_t result = 0;
    EXPECT_EQ(CalcCrc(kCheck, sizeof kCheck, &result), 0);
    EXPECT_EQ(result, 0x6E90);
    result = 0x1234;
    EXPECT_EQ(CalcCrc(kCheck, 0, &result), 0);
    EXPECT_EQ(result, 0x0000);
    EXPECT_EQ(CalcCrc(nullptr, 0, &result), 0);
    // The FCS octets of a frame body: address 05, control 13, IPI C1, 30 00.
    const uint8_t body[] = {0x05, 0x13, 0xC1, 0x30, 0x00};
    EXPECT_EQ(CalcCrc(body, sizeof body, &result), 0);
    EXPECT_EQ(result, 0xABE9);
}

TEST_F(Send_Calls, CalcCrcRefusesMissingBuffers) {
    ASSERT_EQ(init(), 0);
    uint16_t result = 0x1234;
    EXPECT_EQ(CalcCrc(nullptr, 3, &result), -1);
    EXPECT_EQ(result, 0x1234);
    EXPECT_EQ(CalcCrc(kCheck, sizeof kCheck, nullptr), -1);
}

}  // namespace
