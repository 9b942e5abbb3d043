#include "codec/received_value.h"

#include <gtest/gtest.h>

#include "tests/support/sample_tree.h"

namespace {

TEST(ReceivedValue, AnIntegerWithoutARangeTakesAny32BitNumber) {
    Sample_Tree sample;
    Iso_Instance& integer = sample.instance("demoInteger.0");
    EXPECT_EQ(store_received_value(integer, 0x02, {0x80, 0x00, 0x00, 0x00}), 0);
    EXPECT_EQ(integer.value, (Bytes{0x80, 0x00, 0x00, 0x00}));
    EXPECT_EQ(store_received_value(integer, 0x02, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}), 0);
    EXPECT_EQ(store_received_value(integer, 0x02, {0x01, 0x00, 0x00, 0x00, 0x00}), 3);
    EXPECT_EQ(store_received_value(integer, 0x02, {}), 3);  // no number at all
    EXPECT_EQ(integer.value, (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(ReceivedValue, EnumerationsKeepTheirRange) {
    Sample_Tree sample;
    Iso_Instance& mode = sample.instance("demoMode.0");
    EXPECT_EQ(store_received_value(mode, 0x02, {0x02}), 0);
    EXPECT_EQ(store_received_value(mode, 0x02, {0xFF}), 3);
    EXPECT_EQ(mode.value, Bytes{0x02});
}

TEST(ReceivedValue, IpAddressesAndTimeTicks) {
    Sample_Tree sample;
    EXPECT_EQ(store_received_value(sample.instance("demoAddress.0"), 0x40, {10, 0, 0, 1}), 0);
    EXPECT_EQ(sample.instance("demoAddress.0").value, (Bytes{10, 0, 0, 1}));
    EXPECT_EQ(store_received_value(sample.instance("demoTicks.0"), 0x43, {0x00, 0x00, 0x10}), 0);
    EXPECT_EQ(sample.instance("demoTicks.0").value, Bytes{0x10});
    EXPECT_EQ(store_received_value(sample.instance("demoTicks.0"), 0x42, {0x10}), 3);
}

}  // namespace
