#include "datalink/hdlc_addr.h"

#include <gtest/gtest.h>

#include "datalink/pmpp_exception.h"
#include "tests/support/thrown_text.h"

namespace {

TEST(HdlcAddr, LineOctetsOfStationAddresses) {
    const struct {
        int32_t station;
        bool group;
        Bytes octets;
        uint16_t value;
    } cases[] = {
        {0, false, {0x01}, 0x0001},          {0, true, {0x03}, 0x0003},           {1, false, {0x05}, 0x0005},
        {63, false, {0xFD}, 0x00FD},         {64, false, {0x02, 0x01}, 0x0201},   {100, false, {0x02, 0x91}, 0x0291},
        {100, true, {0x02, 0x93}, 0x0293},   {4095, false, {0x7E, 0xFD}, 0x7EFD}, {8191, false, {0xFE, 0xFD}, 0xFEFD},
        {8192, false, {0xFE, 0x01}, 0xFE01}, {10000, true, {0xFE, 0x43}, 0xFE43}, {-1, false, {0xFE, 0xFD}, 0xFEFD},
        {255, false, {0x05, 0x33}, 0x0533},  {255, true, {0x05, 0x33}, 0x0533},
    };
    for (const auto& c : cases) {
        const HDLC_Addr address(c.station, c.group);
        EXPECT_EQ(address.octets(), c.octets) << c.station << " group " << c.group;
        EXPECT_EQ(address.value(), c.value) << c.station;
        EXPECT_EQ(address.length(), static_cast<int16_t>(c.octets.size())) << c.station;
    }
    EXPECT_EQ(HDLC_Addr().length(), 0);
    EXPECT_EQ(HDLC_Addr().value(), 0);
}

TEST(HdlcAddr, EveryStationAddressDecodesToWhatWasEncoded) {
    for (int32_t station = 0; station < 8192; ++station) {
        for (bool group : {false, true}) {
            const HDLC_Addr sent(station, group);
            Bytes line = sent.octets();
            line.push_back(0x13);  // the control field after it
            const HDLC_Addr received = HDLC_Addr::decode(line);
            if (station == 255) {
                // 05 33 reads as the one-octet address 05 with control 33.
                ASSERT_EQ(received.octets(), Bytes{0x05});
                continue;
            }
            ASSERT_EQ(received, sent) << station << " group " << group;
        }
    }
}

TEST(HdlcAddr, AnAddressCutShortIsAnInvalidLength) {
    for (const Bytes& octets : {Bytes{}, Bytes{0x02}, Bytes{0xFE}})
        EXPECT_EQ(thrown_text<InvalidLengthException>([&] { HDLC_Addr::decode(octets); }), pmpp_error::kAddressLength);
}

}  // namespace

namespace {

TEST(HdlcAddr, TheStationAndGroupComeBackFromTheOctets) {
    for (int32_t station : {0, 1, 5, 63, 64, 100, 4095, 8191}) {
        for (bool group : {false, true}) {
            const HDLC_Addr address(station, group);
            const HDLC_Addr read = HDLC_Addr::decode(address.octets());
            EXPECT_EQ(read.station(), station);
            EXPECT_EQ(read.group(), group);
        }
    }
}

}  // namespace
