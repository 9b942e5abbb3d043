#include "datalink/crc.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "datalink/pmpp_exception.h"
#include "datalink/raw_message.h"
#include "tests/support/thrown_text.h"

namespace {

Bytes bytes_of(std::string_view text) { return Bytes(text.begin(), text.end()); }

// RFC 1662's FCS-16 one bit at a time, without the table.
uint16_t bitwise_fcs(const Bytes& octets) {
    uint16_t fcs = 0xFFFF;
    for (uint8_t octet : octets) {
        fcs ^= octet;
        for (int bit = 0; bit < 8; ++bit) fcs = (fcs & 1) ? static_cast<uint16_t>((fcs >> 1) ^ 0x8408) : fcs >> 1;
    }
    return fcs;
}

std::vector<Bytes> sample_buffers() {
    std::vector<Bytes> buffers;
    for (unsigned octet = 0; octet < 256; ++octet) buffers.push_back({static_cast<uint8_t>(octet)});
    std::mt19937 random(5);
    for (size_t length : {2u, 3u, 17u, 255u, 512u, 1500u}) {
        Bytes buffer(length);
        for (uint8_t& octet : buffer) octet = static_cast<uint8_t>(random());
        buffers.push_back(buffer);
    }
    return buffers;
}

TEST(Crc, CheckValueGoesOnTheLineLowOrderOctetFirst) {
    EXPECT_EQ(CRC::calculate(bytes_of("123456789")), 0x6E90);
    EXPECT_EQ(CRC::calculate(Bytes{}), 0x0000);
    Bytes line;
    CRC::append(line, CRC::calculate(bytes_of("123456789")));
    EXPECT_EQ(line, (Bytes{0x6E, 0x90}));
}

TEST(Crc, TableAgreesWithTheBitwiseDefinition) {
    for (const Bytes& buffer : sample_buffers()) {
        const uint16_t fcs = static_cast<uint16_t>(~bitwise_fcs(buffer));
        EXPECT_EQ(CRC::calculate(buffer), static_cast<uint16_t>(fcs << 8 | fcs >> 8)) << buffer.size();
    }
}

TEST(Crc, AnIntactBodyLeavesTheGoodResidueAndAnyFlippedBitDoesNot) {
    for (Bytes body : sample_buffers()) {
        CRC::append(body, CRC::calculate(body));
        Raw_Message message;
        EXPECT_NO_THROW(CRC::validate(body, message));
        EXPECT_EQ(message.fcs_residue, CRC::kGoodResidue);

        body[body.size() / 2] ^= 0x10;
        EXPECT_EQ(thrown_text<CRCException>([&] { CRC::validate(body, message); }), pmpp_error::kInvalidCrc);
        EXPECT_NE(message.fcs_residue, CRC::kGoodResidue);
    }
}

TEST(Crc, BodiesTooShortForAnFcsCannotBeValidated) {
    for (const Bytes& body : {Bytes{}, Bytes{0x05}}) {
        Raw_Message message;
        EXPECT_EQ(thrown_text<CRCException>([&] { CRC::validate(body, message); }), pmpp_error::kCrcCannotBeValidated);
    }
}

}  // namespace
