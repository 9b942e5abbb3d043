#include "codec/fixed_length.h"

#include <gtest/gtest.h>

#include "codec/stmf_exception.h"
#include "tests/support/sample_tree.h"
#include "tree/value_text.h"

namespace {

// A leaf with the syntax under test and its instance.
class Fixed : public ::testing::Test {
protected:
    ISO_Object* instance(const std::string& syntax_text) {
        ISO_Object* top = tree.find_child(nullptr, 1);
        if (top == nullptr) top = tree.add_top_level<ISO_Node>(1, "top");
        ++count;
        std::string name = "x";  // built in steps: GCC 12 at -O3 misreads "x" + text as an overlapping copy
        name += std::to_string(count);
        ISO_Object* leaf = tree.add_child<ISO_Leaf>(top, count, name);
        leaf->object_type = std::make_unique<Object_Type>(syntax_text, "read-write", "mandatory");
        return tree.add_child<Iso_Instance>(leaf, 0, leaf->name + ".0");
    }
    ISO_Tree tree;
    uint32_t count = 0;
};

TEST_F(Fixed, NumbersAreOffsetsFromTheLowerBound) {
    const struct {
        const char* syntax;
        Bytes value;
        uint32_t length;
        Bytes written;
    } cases[] = {
        {"INTEGER (0..255)", {0x05}, 2, {0x00, 0x05}},
        {"INTEGER (-10..10)", {0x05}, 2, {0x00, 0x0F}},
        {"INTEGER (-10..10)", {0xF6}, 1, {0x00}},  // the lower bound itself
        {"INTEGER (-40..85)", {0xD8}, 1, {0x00}},
        {"INTEGER (5..9)", {0x02}, 1, {0x00}},     // below the range: 0
        {"INTEGER (0..255)", {0x00}, 1, {0x00}},
        {"Counter", {0x00, 0xFF, 0xFF, 0xFF, 0xFF}, 4, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"INTEGER (0..100000)", {0x01, 0x11, 0x70}, 0, {0x01, 0x11, 0x70}},  // 0: as it stands
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fixed_length_value(instance(c.syntax), c.value, c.length), c.written)
            << c.syntax << " " << hex_text(c.value);
    }
}

TEST_F(Fixed, ReceivedNumbersGetTheirLowerBoundBack) {
    const struct {
        const char* syntax;
        Bytes received;
        Bytes stored;
    } cases[] = {
        {"INTEGER (-10..10)", {0x0F}, {0x05}},
        {"INTEGER (-40..85)", {0x00}, {0xD8}},      // -40
        {"INTEGER (0..255)", {0xF0}, {0x00, 0xF0}},  // 240, not -16
        {"Gauge", {0xFF, 0xFF, 0xFF, 0xFF}, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"OctetString", {0xF0}, {0xF0}},
    };
    for (const auto& c : cases) EXPECT_EQ(value_from_fixed_length(instance(c.syntax), c.received), c.stored) << c.syntax;
}

TEST_F(Fixed, Refusals) {
    try {
        fixed_length_value(instance("INTEGER (0..100000)"), {0x01, 0x11, 0x70}, 2);
        FAIL();
    } catch (const InvalidReferenceException& e) {
        EXPECT_STREQ(e.what(), "The length of the value was too large for the assigned length!");
    }
    try {
        fixed_length_value(instance("IpAddress"), {10, 0, 0}, 4);
        FAIL();
    } catch (const EncodingException& e) {
        EXPECT_STREQ(e.what(), "Invalid length for an IP Address");
    }
    EXPECT_EQ(fixed_length_value(instance("IpAddress"), {10, 0, 0, 1}, 4), (Bytes{10, 0, 0, 1}));
    for (const char* syntax : {"OctetString", "ObjectID", "Opaque", "Null"}) {
        try {
            fixed_length_value(instance(syntax), {0x01}, 1);
            FAIL() << syntax;
        } catch (const EncodingException& e) {
            EXPECT_STREQ(e.what(), "Invalid request to encode variable as fixed length");
        }
    }
    EXPECT_THROW(fixed_length_value(instance("Mystery"), {0x01}, 1), InvalidReferenceException);
    EXPECT_THROW(fixed_length_value(instance("INTEGER (0..9)"), Bytes(9, 0x01), 1), InvalidReferenceException);
}

TEST_F(Fixed, SizesComeFromTheRange) {
    EXPECT_EQ(fixed_size_of(instance("INTEGER (0..255)")), 1u);
    EXPECT_EQ(fixed_size_of(instance("INTEGER (0..65535)")), 2u);
    EXPECT_EQ(fixed_size_of(instance("Counter")), 4u);
    EXPECT_EQ(fixed_size_of(instance("OctetString (SIZE (4))")), 0u);
    EXPECT_EQ(fixed_size_of(nullptr), 0u);
}

}  // namespace
