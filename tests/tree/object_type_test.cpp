#include "tree/object_type.h"

#include <gtest/gtest.h>

namespace {

TEST(SyntaxEnum, CodesFollowTheStartOrTheWholeOfTheSyntaxText) {
    const struct {
        const char* text;
        int code;
    } cases[] = {
        {"INTEGER", 2},
        {"INTEGER (0..255)", 2},
        {"Enum", 2},
        {"Enumerated", 2},  // a prefix test
        {"OctetString", 4},
        {"OctetString (SIZE (4))", 4},
        {"OwnerString", 4},
        {"DisplayString", 4},
        {"DisplayString (SIZE (0..32))", 4},  // DisplayString with its SIZE clause
        {"DisplayStrings", 0},
        {"Null", 5},
        {"ObjectID", 6},
        {"SEQUENCE", 0x30},
        {"IpAddress", 0x40},
        {"Counter", 0x41},
        {"Gauge", 0x42},
        {"TimeTicks", 0x43},
        {"Opaque", 0x44},
        {"Counter64", 0},
        {"integer", 0},
        {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SyntaxEnum(c.text), c.code) << c.text;
}

struct Range_Case {
    const char* syntax;
    int64_t lower;
    int64_t upper;
    uint32_t size;
};

TEST(ObjectType, DerivesBoundsAndSizeFromTheSyntax) {
    const Range_Case cases[] = {
        {"INTEGER (0..255)", 0, 255, 1},
        {"INTEGER (0..65535)", 0, 65535, 2},
        {"INTEGER (0..65536)", 0, 65536, 3},
        {"INTEGER (-128..127)", -128, 127, 1},
        {"INTEGER (-10..10)", -10, 10, 1},
        {"INTEGER (-300..-100)", -300, -100, 1},
        {"INTEGER (-100..-300)", -100, -300, 0},  // empty range
        {"INTEGER (5..5)", 5, 5, 0},
        {"INTEGER (0..4294967295)", 0, 4294967295, 4},
        {"INTEGER (-4294967295..4294967295)", -4294967295, 4294967295, 5},
        {"INTEGER", 0, 4294967295, 0},
        {"Enum", 0, 255, 1},
        {"Counter", 0, 4294967295, 4},
        {"Gauge", 0, 4294967295, 4},
        {"TimeTicks", 0, 4294967295, 0},
        {"OctetString (SIZE (0..255))", 0, 0, 0},  // sizes are not ranges
        {"INTEGER (7)", 0, 0, 0},                  // no ".."
        {"INTEGER (99999999999..1)", 4294967295, 1, 0},
    };
    for (const auto& c : cases) {
        const Object_Type type(c.syntax, "read-write", "mandatory");
        EXPECT_EQ(type.lower.value(), c.lower) << c.syntax;
        EXPECT_EQ(type.upper.value(), c.upper) << c.syntax;
        EXPECT_EQ(type.size, c.size) << c.syntax;
    }
}

TEST(ObjectType, SizeClausesAndDisplayText) {
    const struct {
        const char* syntax;
        std::optional<Size_Range> size;
        bool display_text;
    } cases[] = {
        {"OctetString (SIZE (4))", Size_Range{4, 4}, false},
        {"DisplayString (SIZE (0..32))", Size_Range{0, 32}, true},
        {"OctetString (SIZE(1..2))", Size_Range{1, 2}, false},
        {"DisplayString", std::nullopt, true},
        {"OwnerString", std::nullopt, true},
        {"OctetString", std::nullopt, false},
        {"INTEGER (0..100)", std::nullopt, false},
        {"OctetString (SIZE (4", std::nullopt, false},  // unfinished
    };
    for (const auto& c : cases) {
        const Object_Type type(c.syntax, "read-write", "mandatory");
        const auto size = type.size_range();
        ASSERT_EQ(size.has_value(), c.size.has_value()) << c.syntax;
        if (size) {
            EXPECT_EQ(size->least, c.size->least) << c.syntax;
            EXPECT_EQ(size->most, c.size->most) << c.syntax;
        }
        EXPECT_EQ(type.is_display_text(), c.display_text) << c.syntax;
    }
}

TEST(ObjectType, AnUnfinishedRangeKeepsTheLowerBoundOnly) {
    const Object_Type type("INTEGER (3..9", "read-write", "mandatory");
    EXPECT_EQ(type.lower.value(), 3);
    EXPECT_EQ(type.upper.sign, Bound::kDefault);
    EXPECT_EQ(type.size, 0u);
}

TEST(ObjectType, ReplacingTheSyntaxDerivesTheBoundsAgain) {
    Object_Type type("DemoPercent", "read-write", "mandatory");
    EXPECT_EQ(type.upper.value(), 4294967295);
    type.set_syntax("INTEGER (0..100)");
    EXPECT_EQ(type.upper.value(), 100);
    EXPECT_EQ(type.size, 1u);
    type.set_syntax("OctetString (SIZE (4))");
    EXPECT_EQ(type.upper.value(), 0);
    EXPECT_EQ(type.size, 0u);
}

}  // namespace
