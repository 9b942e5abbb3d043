#include "tree/value_text.h"

#include <gtest/gtest.h>

namespace {

TEST(IntegerContents, Unsigned) {
    const struct {
        uint32_t value;
        Bytes content;
    } cases[] = {
        {0, {0x00}},
        {127, {0x7F}},
        {128, {0x00, 0x80}},
        {255, {0x00, 0xFF}},
        {256, {0x01, 0x00}},
        {65535, {0x00, 0xFF, 0xFF}},
        {4294967295u, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) EXPECT_EQ(encode_unsigned(c.value), c.content) << c.value;
}

TEST(IntegerContents, Signed) {
    const struct {
        int32_t value;
        Bytes content;
    } cases[] = {
        {0, {0x00}},
        {5, {0x05}},
        {-1, {0xFF}},
        {-2, {0xFE}},
        {-127, {0x81}},
        {-128, {0x80}},  // the fewest octets: a leading FF would break X.690
        {-129, {0xFF, 0x7F}},
        {-256, {0xFF, 0x00}},
        {-32768, {0x80, 0x00}},
        {-8388608, {0x80, 0x00, 0x00}},
        {-2147483647 - 1, {0x80, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encode_signed(c.value), c.content) << c.value;
        EXPECT_EQ(decimal_from_twos_complement(c.content), std::to_string(c.value));
    }
}

TEST(IntegerContents, DecimalOfAnyLength) {
    EXPECT_EQ(decimal_from_twos_complement({}), "0");
    EXPECT_EQ(decimal_from_twos_complement({0xFF, 0xFE}), "-2");
    EXPECT_EQ(decimal_from_twos_complement({0x00, 0xFF}), "255");
    EXPECT_EQ(decimal_from_twos_complement({0x80}), "-128");
    EXPECT_EQ(decimal_from_twos_complement({0x00, 0xFF, 0xFF, 0xFF, 0xFF}), "4294967295");
    EXPECT_EQ(decimal_from_twos_complement(Bytes(10, 0xFF)), "-1");
    // 2^80 and -2^79
    Bytes big(11, 0x00);
    big[0] = 0x01;
    EXPECT_EQ(decimal_from_twos_complement(big), "1208925819614629174706176");
    Bytes most_negative(10, 0x00);
    most_negative[0] = 0x80;
    EXPECT_EQ(decimal_from_twos_complement(most_negative), "-604462909807314587353088");
}

TEST(HexText, BothWays) {
    EXPECT_EQ(hex_text({0x0A, 0x1B, 0xFF}), "0A 1B FF");
    EXPECT_EQ(hex_text({}), "");
    EXPECT_EQ(bytes_from_hex_text("0a 1B ff"), (Bytes{0x0A, 0x1B, 0xFF}));
    EXPECT_EQ(bytes_from_hex_text("0A ZZ 01"), (Bytes{0x0A}));
    EXPECT_EQ(bytes_from_hex_text("0A-1B:2C"), (Bytes{0x0A, 0x1B, 0x2C}));  // any separator
    EXPECT_EQ(bytes_from_hex_text("0A 1"), (Bytes{0x0A}));  // a lone last digit is ignored
    EXPECT_EQ(bytes_from_hex_text(""), Bytes{});
    EXPECT_EQ(bytes_from_hex_text("hello"), Bytes{});
}

TEST(ObjectIdentifierText, DottedToBerContent) {
    EXPECT_EQ(ber_oid_from_dotted("1.3.6.1.4.1.1206"), (Bytes{0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36}));
    EXPECT_EQ(ber_oid_from_dotted("1.3.6.1.4.1.1206.4.2"),
              (Bytes{0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02}));
    EXPECT_EQ(ber_oid_from_dotted("1..3"), (Bytes{0x2B}));
    EXPECT_EQ(ber_oid_from_dotted("2.100.3"), (Bytes{0x81, 0x34, 0x03}));
    EXPECT_EQ(ber_oid_from_dotted(""), Bytes{});
    EXPECT_FALSE(ber_oid_from_dotted("1.3.x"));
    EXPECT_FALSE(ber_oid_from_dotted("1.3.99999999999"));
}

TEST(ObjectIdentifierText, BerContentToDotted) {
    EXPECT_EQ(dotted_from_ber_oid({0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36}), "1.3.6.1.4.1.1206");
    EXPECT_EQ(dotted_from_ber_oid({0x81, 0x34, 0x03}), "2.100.3");
    EXPECT_EQ(dotted_from_ber_oid({0x00}), "0.0");
    EXPECT_EQ(dotted_from_ber_oid({}), "");
    EXPECT_EQ(dotted_from_ber_oid({0x2B, 0x89}), "1.3.9");  // cut short inside the last number
}

TEST(Printable, OnlyThePrintableAsciiRange) {
    EXPECT_TRUE(all_printable({'a', ' ', '~'}));
    EXPECT_TRUE(all_printable({}));
    EXPECT_FALSE(all_printable({'a', 0x7F}));
    EXPECT_FALSE(all_printable({'\n'}));
    EXPECT_FALSE(all_printable({0xC3, 0xA9}));
}

}  // namespace
