// The frame records handed to callers of the C interface.
#include "engine/c_records.h"

#include <gtest/gtest.h>

#include "base/random_source.h"
#include "datalink/pmpp_exception.h"
#include "tests/support/thrown_text.h"

namespace {

class C_Records : public ::testing::Test {
protected:
    Sent_Frame encode(const Bytes& information) { return pmpp.encode(information, 1, 0, "Class B"); }

    Random_Source random;
    PMPP pmpp{random};
};

TEST_F(C_Records, StoredFramesKeepTheirPositionsAndNeverPassTheFrameArea) {
    Encoded_Frame record{};
    const Sent_Frame sent = encode({0x30, 0x00});
    store_sent_frame(sent, record);
    EXPECT_EQ(Bytes(record.frame, record.frame + sent.octets.size()), sent.octets);
    for (size_t i = 0; i < pmpp::kFieldPositionCount; ++i) EXPECT_EQ(record.positions[i], sent.positions[i]);
    EXPECT_EQ(record.positions[pmpp::kClosingFlagPosition], sent.octets.size() - 1);

    Sent_Frame full;
    full.octets.assign(QV_FRAME_SIZE, 0x11);
    full.positions[pmpp::kClosingFlagPosition] = QV_FRAME_SIZE - 1;
    store_sent_frame(full, record);
    EXPECT_EQ(record.frame[QV_FRAME_SIZE - 1], 0x11);

    // A stuffing-heavy message whose frame would need about twice the area.
    const Sent_Frame too_long = encode(Bytes(1000, 0x7E));
    ASSERT_GT(too_long.octets.size(), size_t{QV_FRAME_SIZE});
    Encoded_Frame untouched{};
    untouched.positions[0] = 0xABCD;
    EXPECT_EQ(thrown_text<InvalidLengthException>([&] { store_sent_frame(too_long, untouched); }),
              pmpp_error::kSentFrameTooLong);
    EXPECT_EQ(untouched.frame[0], 0);
    EXPECT_EQ(untouched.positions[0], 0xABCD);
}

}  // namespace
