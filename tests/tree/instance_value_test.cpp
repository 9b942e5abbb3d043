#include "tree/instance_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tree/iso_tree.h"
#include "tree/value_text.h"

namespace {

// A tree with one scalar instance of the syntax and access under test.
class Value_Holder {
public:
    Value_Holder(const std::string& syntax_text, const std::string& access = "read-write") {
        ISO_Object* top = tree_.add_top_level<ISO_Node>(1, "top");
        ISO_Object* leaf = tree_.add_child<ISO_Leaf>(top, 1, "x");
        leaf->object_type = std::make_unique<Object_Type>(syntax_text, access, "mandatory");
        instance_ = static_cast<Iso_Instance*>(tree_.add_child<Iso_Instance>(leaf, 0, "x.0"));
    }

    int set(const std::string& text) { return set_value_from_text(*instance_, code(), text); }
    int code() const { return object_type_of(instance_)->syntax_code(); }
    Iso_Instance& instance() { return *instance_; }
    Rendered_Value rendered() const { return render_value(*instance_); }

private:
    ISO_Tree tree_;
    Iso_Instance* instance_;
};

struct Set_Case {
    const char* syntax;
    const char* text;
    int result;
    Bytes stored;       // when the result is 0
    const char* shown;  // the rendering afterwards
    uint8_t type;
};

TEST(InstanceValue, SetFromTextAndShowAgain) {
    const Set_Case cases[] = {
        {"INTEGER (0..255)", "200", 0, {0x00, 0xC8}, "200", 2},
        {"INTEGER (0..255)", "300", 3, {}, "0", 2},
        {"INTEGER (0..255)", "-5", 0, {0xFB}, "-5", 2},  // negative numbers skip the range test
        {"INTEGER (-10..10)", "5", 0, {0x05}, "5", 2},
        {"INTEGER (-10..10)", "11", 3, {}, "0", 2},
        {"INTEGER (5..9)", "4", 3, {}, "0", 2},
        {"INTEGER", "4294967295", 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}, "4294967295", 2},
        {"INTEGER", "4294967296", 3, {}, "0", 2},
        {"INTEGER", "-2147483649", 3, {}, "0", 2},
        {"INTEGER", " 42 ", 0, {0x2A}, "42", 2},
        {"INTEGER", "12abc", 3, {}, "0", 2},
        {"INTEGER", "", 3, {}, "0", 2},
        {"Enum", "256", 3, {}, "0", 2},
        {"Counter", "-1", 0, {0xFF}, "-1", 2},
        {"Counter", "4294967295", 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}, "4294967295", 2},
        {"Gauge", "100", 0, {0x64}, "100", 2},  // decimal, as it is shown
        {"TimeTicks", "360000", 0, {0x05, 0x7E, 0x40}, "360000", 2},
        {"Gauge", "-1", 3, {}, "0", 2},
        {"ObjectID", "1.3.6.1.4.1.1206", 0, {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36}, "1.3.6.1.4.1.1206", 6},
        {"ObjectID", "1.3.six", 3, {}, "", 6},
        {"OctetString (SIZE (4))", "41 42 43 44", 0, {'A', 'B', 'C', 'D'}, "ABCD", 22},
        {"OctetString (SIZE (4))", "00 FF", 0, {0x00, 0xFF}, "00 FF", 4},
        {"OctetString", "hello", 0, {}, "", 22},  // not hex: nothing read
        // An address shows as a dotted quad and is set from one (or from hex).
        {"IpAddress", "C0 A8 00 01", 0, {0xC0, 0xA8, 0x00, 0x01}, "192.168.0.1", 22},
        {"IpAddress", "10.0.0.1", 0, {10, 0, 0, 1}, "10.0.0.1", 22},
        {"IpAddress", "41 42 43 44", 0, {'A', 'B', 'C', 'D'}, "65.66.67.68", 22},
        {"IpAddress", "00 FF", 0, {0x00, 0xFF}, "00 FF", 4},  // not four octets: as octets
    };
    for (const auto& c : cases) {
        Value_Holder holder(c.syntax);
        EXPECT_EQ(holder.set(c.text), c.result) << c.syntax << " <- " << c.text;
        if (c.result == 0) {
            EXPECT_EQ(holder.instance().value, c.stored) << c.syntax << " <- " << c.text;
        }
        const Rendered_Value shown = holder.rendered();
        EXPECT_EQ(shown.text, c.shown) << c.syntax << " <- " << c.text;
        EXPECT_EQ(shown.type, c.type) << c.syntax << " <- " << c.text;
    }
}

TEST(InstanceValue, ARefusedValueKeepsTheOldOne) {
    Value_Holder holder("INTEGER (0..255)");
    ASSERT_EQ(holder.set("7"), 0);
    EXPECT_EQ(holder.set("300"), 3);
    EXPECT_EQ(holder.instance().value, Bytes{0x07});
}

TEST(InstanceValue, ReadOnlyObjectsAreNotSet) {
    Value_Holder holder("Counter", "read-only");
    EXPECT_EQ(holder.set("5"), 4);
    EXPECT_TRUE(holder.instance().value.empty());
}

TEST(InstanceValue, ADottedQuadSetsAnAddressWhateverTheTextsType) {
    Value_Holder holder("IpAddress");
    EXPECT_EQ(set_value_from_text(holder.instance(), syntax::kDisplayText, "172.16.5.4"), 0);
    EXPECT_EQ(holder.instance().value, (Bytes{172, 16, 5, 4}));
    for (const char* not_an_address : {"256.1.1.1", "1.2.3", "1.2.3.4.5", "1..2.3.4"}) {
        Value_Holder other("IpAddress");
        EXPECT_EQ(set_value_from_text(other.instance(), syntax::kDisplayText, not_an_address), 0);
        EXPECT_EQ(other.instance().value, Bytes(not_an_address, not_an_address + std::strlen(not_an_address)));
    }
}

TEST(InstanceValue, DisplayTextIsStoredAsItsCharactersAndTheSetterTextKept) {
    Value_Holder holder("OctetString");
    const std::string stamp = "12:00:00";
    EXPECT_EQ(set_value_from_text(holder.instance(), syntax::kDisplayText, "hi there", &stamp), 0);
    EXPECT_EQ(holder.instance().value, (Bytes{'h', 'i', ' ', 't', 'h', 'e', 'r', 'e'}));
    EXPECT_EQ(holder.instance().instance_text, stamp);
    EXPECT_EQ(holder.rendered().text, "hi there");
}

TEST(InstanceValue, RenderingStoredIntegers) {
    Value_Holder holder("INTEGER");
    const struct {
        Bytes value;
        const char* text;
    } cases[] = {{{0xFF, 0xFE}, "-2"}, {{0x00, 0xFF}, "255"}, {{}, "0"}, {{0xFF, 0x80}, "-128"}};
    for (const auto& c : cases) {
        holder.instance().value = c.value;
        EXPECT_EQ(holder.rendered().text, c.text);
    }
}

}  // namespace
