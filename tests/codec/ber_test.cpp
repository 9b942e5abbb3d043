#include "codec/ber.h"

#include <gtest/gtest.h>

#include "codec/stmf_exception.h"

namespace {

TEST(Length, Encode) {
    const struct {
        size_t n;
        Bytes field;
    } cases[] = {
        {0, {0x00}},          {127, {0x7F}},          {128, {0x81, 0x80}},
        {255, {0x81, 0xFF}},  {256, {0x82, 0x01, 0x00}}, {300, {0x82, 0x01, 0x2C}},
        {0x10000, {0x83, 0x01, 0x00, 0x00}},
    };
    for (const auto& c : cases) EXPECT_EQ(length_field(c.n), c.field) << c.n;
    Bytes not_empty{0x01};
    EXPECT_THROW(encode_length(5, not_empty), InvalidReferenceException);
}

TEST(Length, Decode) {
    const struct {
        Bytes bytes;
        bool ok;
        size_t n;
        size_t left;
    } cases[] = {
        {{0x05, 0xAA}, true, 5, 1},
        {{0x81, 0x80}, true, 128, 0},
        {{0x84, 0x00, 0x00, 0x01, 0x00}, true, 256, 0},
        {{0x82, 0x01}, false, 0, 2},  // runs past the end: nothing taken
        {{}, false, 0, 0},
    };
    for (const auto& c : cases) {
        Byte_Reader reader(c.bytes);
        size_t n = 0;
        EXPECT_EQ(decode_length(reader, n), c.ok);
        if (c.ok) {
            EXPECT_EQ(n, c.n);
        }
        EXPECT_EQ(reader.remaining(), c.left);
    }
    const Bytes indefinite{0x80};
    Byte_Reader first(indefinite);
    size_t n = 0;
    try {
        decode_length(first, n);
        FAIL();
    } catch (const DecodingException& e) {
        EXPECT_STREQ(e.what(), "Invalid Length field detected.  Can not decode!");
    }
    const Bytes too_long{0x85, 1, 2, 3, 4, 5};
    Byte_Reader second(too_long);
    try {
        decode_length(second, n);
        FAIL();
    } catch (const DecodingException& e) {
        EXPECT_STREQ(e.what(), "Length of field is too long to decode!");
    }
}

TEST(IntegerContents, DecodeUnsigned) {
    EXPECT_EQ(decode_unsigned({}), 0u);
    EXPECT_EQ(decode_unsigned({0x7F, 0xFF, 0xFF, 0xFF}), 0x7FFFFFFFu);
    EXPECT_EQ(decode_unsigned({0x00, 0xC8}), 200u);
    try {
        decode_unsigned({0xFF});
        FAIL();
    } catch (const DecodingException& e) {
        EXPECT_STREQ(e.what(), "An invalid negative value was received!");
    }
    try {
        decode_unsigned({0x00, 0x00, 0x00, 0x00, 0x01});
        FAIL();
    } catch (const DecodingException& e) {
        EXPECT_STREQ(e.what(), "An Integer which was too large to handle was encountered.");
    }
    EXPECT_THROW(decode_unsigned({0x00, 0xFF, 0xFF, 0xFF, 0xFF}), DecodingException);
}

TEST(Tlv, WrapIntegerAndSequence) {
    EXPECT_EQ(wrap(0x04, {'a', 'b'}), (Bytes{0x04, 0x02, 'a', 'b'}));
    EXPECT_EQ(integer_tlv(200), (Bytes{0x02, 0x02, 0x00, 0xC8}));
    Bytes s{0x02, 0x01, 0x05};
    make_sequence(s);
    EXPECT_EQ(s, (Bytes{0x30, 0x03, 0x02, 0x01, 0x05}));
    Bytes big(200, 0x00);
    make_sequence(big);
    EXPECT_EQ(big.size(), 203u);
    EXPECT_EQ(big[1], 0x81);
    Bytes empty;
    try {
        make_sequence(empty);
        FAIL();
    } catch (const EncodingException& e) {
        EXPECT_STREQ(e.what(), "An attempt was made to encode a NULL string into a sequence!");
    }
}

TEST(Tlv, CheckTag) {
    const Bytes none;
    EXPECT_EQ(check_tag(Byte_Reader(none)), ber::kNoTag);
    for (uint8_t tag : {0x02, 0x04, 0x05, 0x06, 0x30, 0x40, 0x41, 0x42, 0x43, 0x44}) {
        const Bytes one{tag};
        EXPECT_EQ(check_tag(Byte_Reader(one)), ber::kKnownTag) << int(tag);
    }
    for (uint8_t tag : {0x00, 0x03, 0x31, 0x45, 0xA0, 0xA2, 0xFF}) {
        const Bytes one{tag};
        EXPECT_EQ(check_tag(Byte_Reader(one)), ber::kUnknownTag) << int(tag);
    }
}

}  // namespace
