#include "datalink/unframed.h"

#include <gtest/gtest.h>

#include "base/random_source.h"

namespace {

TEST(Unframed, TheDatagramIsTheMessage) {
    Random_Source random;
    const Unframed unframed(random);
    const Bytes message = {0x30, 0x03, 0x02, 0x01, 0x00};
    // Frame faults have no frame to act on.
    Frame_Faults faults;
    faults.armed = true;
    faults.invalid_crc = faults.invalid_address = faults.invalid_control = true;
    const std::optional<Sent_Frame> sent = unframed.frame_message(message, 1, 0, "Class B", faults);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->octets, message);
    EXPECT_EQ(sent->positions[pmpp::kClosingFlagPosition], message.size() - 1);

    Raw_Message received;
    received.octets = message;
    const Decode_Result result = unframed.decode(received);
    EXPECT_EQ(result.flags, 0);
    EXPECT_EQ(result.ipi, IPI::kNtcipClassB);
    EXPECT_EQ(received.information, message);

    Raw_Message empty;
    EXPECT_EQ(unframed.decode(empty).flags, Decode_Result::kNoInformation);
}

TEST(Unframed, OctetFaultsActOnTheDatagram) {
    Random_Source random;
    random.seed(7);
    const Unframed unframed(random);
    const Bytes message = {0x30, 0x03, 0x02, 0x01, 0x00};
    Frame_Faults extra;
    extra.armed = extra.extra_byte = true;
    EXPECT_EQ(unframed.frame_message(message, 1, 0, "", extra)->octets.size(), message.size() + 1);
    Frame_Faults removed;
    removed.armed = removed.remove_byte = true;
    EXPECT_EQ(unframed.frame_message(message, 1, 0, "", removed)->octets.size(), message.size() - 1);
    Frame_Faults changed;
    changed.armed = changed.change_byte = true;
    const Bytes spoiled = unframed.frame_message(message, 1, 0, "", changed)->octets;
    ASSERT_EQ(spoiled.size(), message.size());
    EXPECT_NE(spoiled, message);
}

}  // namespace
