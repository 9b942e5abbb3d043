#include "codec/activity_log.h"

#include <gtest/gtest.h>

#include "codec/decode_field.h"
#include "codec/stmf_exception.h"
#include "tests/support/sample_tree.h"

namespace {

class Translator : public ::testing::Test {
protected:
    std::string describe(uint8_t tag, const Bytes& content, int indent = 2) {
        std::string out;
        Activity_Log log(sample.tree(), &out);
        log.describe_field(tag, content.size(), content, indent);
        return out;
    }
    std::string field(const Bytes& bytes, int indent, size_t* left = nullptr) {
        std::string out;
        Activity_Log log(sample.tree(), &out);
        Byte_Reader reader(bytes);
        decode_field(reader, log, indent);
        if (left != nullptr) *left = reader.remaining();
        return out;
    }
    Sample_Tree sample;
};

TEST_F(Translator, DescribesEachTag) {
    const struct {
        uint8_t tag;
        Bytes content;
        const char* text;
    } cases[] = {
        {0x02, {0x05}, "INTEGER of 1 byte.       Value = 5\n"},
        {0x02, {0xFF}, "INTEGER of 1 byte.       Value = -1\n"},
        {0x02, {0x00, 0xFF}, "INTEGER of 2 bytes.       Value = 255\n"},
        {0x02, {0xFF, 0xFF, 0xFF, 0xFF}, "INTEGER of 4 bytes.       Value = -1\n"},
        {0x02, {0xFF, 0x7F, 0xFF}, "INTEGER of 3 bytes.       Value = -32769\n"},
        {0x02, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}, "INTEGER of 5 bytes.       Value = The value is greater than 4 billion\n"},
        {0x02, {}, "Value = 0\n"},
        {0x04, {0x41, 0x42}, "OCTET STRING of 2 bytes.       \n    ASCII translation: AB\n"},
        {0x04, {0x01, 0x41}, "OCTET STRING of 2 bytes.       \n"},
        {0x04, {0x41, 0x00, 0x42}, "OCTET STRING of 3 bytes.       \n    ASCII translation: A.B\n"},
        {0x04, {}, "\n"},
        {0x05, {}, "\n"},
        {0x05, {0x00}, "NULL TYPE of 1 byte. \n"},
        {0x30, {0x02, 0x01, 0x05}, "SEQUENCE or SEQUENCE OF of 3 bytes.  Definition:\n"},
        {0x40, {0xC0, 0xA8, 0x00, 0x01}, "IP ADDRESS of 4 bytes.       Value = 192.168.0.1.\n\n"},
        {0x40, {0xC0, 0xA8}, "IP ADDRESS of 2 bytes.       Value = Invalid IP Address Legth\n"},
        {0x41, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}, "COUNTER of 5 bytes.       Value = 4294967295\n"},
        {0x41, {0x00, 0x7F, 0xFF, 0xFF, 0xFF},
         "COUNTER of 5 bytes.       Value = Invalid Length, second byte of 5-byte counter must be >= 0x80\n"},
        {0x41, {1, 2, 3, 4, 5, 6}, "COUNTER of 6 bytes.       Value = Invalid Length\n"},
        {0x42, {0x01, 0x80}, "GAUGE of 2 bytes.       Value = 384\n"},
        {0x42, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}, "GAUGE of 5 bytes.       Value = 4294967295\n"},
        {0x43, {0x05, 0x7E, 0x40}, "TIME TICKS of 3 bytes.       Value = 360000\n"},
        {0x44, {0x01}, "OPAQUE of 1 byte. \n"},
        {0x99, {0x01, 0x02}, "Unknown Type of 2 bytes. \n"},
    };
    for (const auto& c : cases) EXPECT_EQ(describe(c.tag, c.content), c.text) << int(c.tag);
}

TEST_F(Translator, NamesObjectIdentifiers) {
    // Standard content, found by the second lookup.
    EXPECT_EQ(describe(0x06, {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x02, 0x00}, 5),
              "\n      OBJECT IDENTIFIER of 13 bytes.             \n      Object Name = demoByte.0\n");
    // NEMA-relative content, found by the first.
    EXPECT_EQ(describe(0x06, {0x04, 0x02, 0x63, 0x01, 0x02, 0x00}, 1),
              "\n      OBJECT IDENTIFIER of 6 bytes.     \n      Object Name = demoByte.0\n");
    EXPECT_EQ(describe(0x06, {0x2B, 0x06, 0x07}, 0),
              "\n      OBJECT IDENTIFIER of 3 bytes.   \n      Object Name = Object not found in tree!\n");
}

TEST_F(Translator, LowNibbleLines) {
    std::string out;
    Activity_Log log(sample.tree(), &out);
    log.low_nibble_line(0, 1);
    log.low_nibble_line(5, 0);
    log.low_nibble_line(14, 2);
    log.low_nibble_line(15, 1);
    EXPECT_EQ(out,
              "  Lo order nibble indicates: OID encoded from the NEMA node.\n\n"
              "Lo order nibble indicates: Dynamic Object Number 5\n\n"
              "    Lo order nibble indicates: OID encoded from the ROOT node.\n\n"
              "  Lo order nibble indicates: \n");
}

TEST_F(Translator, DecodedFieldLayout) {
    size_t left = 99;
    EXPECT_EQ(field({0x02, 0x01, 0x05}, 2, &left), "    02 01 05   : INTEGER of 1 byte.       Value = 5\n");
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(field({0x30, 0x03, 0x02, 0x01, 0x05}, 1, &left),
              "  30 03   : SEQUENCE or SEQUENCE OF of 3 bytes.  Definition:\n");
    EXPECT_EQ(left, 3u);  // the sequence's content stays
    const Bytes twelve = {0x04, 0x0C, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l'};
    EXPECT_EQ(field(twelve, 1),
              "  04 0C 61 62 63 64 65 66 67 68 69 6A 6B 6C   : OCTET STRING of 12 bytes.     \n"
              "    ASCII translation: abcdefghijkl\n");
    Bytes thirteen = twelve;
    thirteen[1] = 0x0D;
    thirteen.push_back('m');
    EXPECT_EQ(field(thirteen, 1),
              "  04 0D 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D   :     OCTET STRING of 13 bytes.     \n"
              "    ASCII translation: abcdefghijklm\n");
    Bytes long_form = {0x04, 0x81, 0x80};
    long_form.resize(3 + 0x80, 0x01);
    EXPECT_EQ(field(long_form, 0).substr(0, 12), "04 81 80 01 ");
}

TEST_F(Translator, ShortFieldsAreInvalidLengths) {
    const struct {
        Bytes bytes;
        const char* trace;
    } cases[] = {
        {{0x04}, "  04 Length of sequence is too short to be legitimate, aborting decode"},
        {{}, "Length of sequence is too short to be legitimate, aborting decode"},
        {{0x04, 0x05, 0x41, 0x42},
         "  04 05 Length indicated by field is not consistent with the PDU length, PDU is too small.\nAborting decode\n"},
        {{0x04, 0x82, 0x01},
         "  04 82 01 Length indicated by field is not consistent with the PDU length, PDU is too small.\nAborting decode\n"},
    };
    for (const auto& c : cases) {
        std::string out;
        Activity_Log log(sample.tree(), &out);
        Byte_Reader reader(c.bytes);
        try {
            decode_field(reader, log, 1);
            FAIL();
        } catch (const DecodingException&) {
            FAIL() << "not a plain STMF_Exception";
        } catch (const STMF_Exception& e) {
            EXPECT_STREQ(e.what(), "Invalid length");
        }
        EXPECT_EQ(out, c.trace);
    }
}

TEST_F(Translator, WithoutOutputNothingIsWritten) {
    Activity_Log log(sample.tree(), nullptr);
    EXPECT_FALSE(log.enabled());
    log.text("x");
    EXPECT_EQ(log.describe_field(0x06, 0, {}, 0), "");
    const Bytes bytes = {0x02, 0x01, 0x05};
    Byte_Reader reader(bytes);
    EXPECT_EQ(decode_field(reader, log, 0).content, Bytes{0x05});
}

}  // namespace
