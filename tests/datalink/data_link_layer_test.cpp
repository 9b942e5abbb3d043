#include "datalink/data_link_layer.h"

#include <gtest/gtest.h>

#include "base/random_source.h"

namespace {

class Data_Link : public ::testing::Test {
protected:
    Random_Source random;
    Data_Link_Layer link{random};
};

TEST_F(Data_Link, PmppLinksFrameAssembleAndDecode) {
    const auto sent = link.encode(Link_Type::pmpp, Bytes{0x30, 0x7E}, 1, 0, "Class B");
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ(sent->octets, link.pmpp().encode(Bytes{0x30, 0x7E}, 1, 0, "Class B").octets);

    Raw_Message frame;
    bool complete = false;
    for (uint8_t octet : sent->octets) complete = link.add_received_octet(Link_Type::pmpp, frame, octet, "t");
    EXPECT_TRUE(complete);
    EXPECT_EQ(link.decode(Link_Type::pmpp, frame), (Decode_Result{0, 0xC1}));
    EXPECT_EQ(frame.information, (Bytes{0x30, 0x7E}));
}

TEST_F(Data_Link, OtherLinkTypesDoNothing) {
    // No framer of PPP links here yet; 0 and unknown types have none (UDP, 3, is unframed).
    for (int32_t link_type : {0, 2, 4, -1}) {
        EXPECT_FALSE(link.encode(static_cast<Link_Type>(link_type), Bytes{0x30}, 1, 0, "Class B").has_value()) << link_type;
        Raw_Message frame;
        EXPECT_FALSE(link.add_received_octet(static_cast<Link_Type>(link_type), frame, 0x05, "t")) << link_type;
        EXPECT_TRUE(frame.octets.empty());
        frame.octets = {0x7E, 0x7E};
        EXPECT_EQ(link.decode(static_cast<Link_Type>(link_type), frame), Decode_Result{}) << link_type;
        EXPECT_EQ(frame.octets, (Bytes{0x7E, 0x7E}));
    }
}

}  // namespace
