#include "codec/oid_forms.h"

#include <gtest/gtest.h>

#include "codec/stmf_exception.h"
#include "tests/support/sample_tree.h"

namespace {

const Bytes kDemoByteTree = {0x01, 0x03, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x02, 0x00};
const Bytes kDemoByteStandard = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x02, 0x00};

TEST(OidForms, TreeStandardAndNemaRelative) {
    EXPECT_EQ(standard_from_tree(kDemoByteTree), kDemoByteStandard);
    EXPECT_EQ(tree_from_standard(kDemoByteStandard), kDemoByteTree);
    EXPECT_EQ(nema_from_tree(kDemoByteTree), (Bytes{0x04, 0x02, 0x63, 0x01, 0x02, 0x00}));
    EXPECT_EQ(tree_from_nema({0x04, 0x02}), (Bytes{0x01, 0x03, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02}));
    EXPECT_EQ(dotted_from_tree(kDemoByteTree), "1.3.6.1.4.1.1206.4.2.99.1.2.0");
}

TEST(OidForms, FirstArcsOtherThanOneThree) {
    EXPECT_EQ(tree_from_standard({0x2C, 0x05}), (Bytes{0x01, 0x04, 0x05}));
    EXPECT_EQ(tree_from_standard({0x81, 0x34}), (Bytes{0x02, 0x64}));  // 2.100
    EXPECT_EQ(tree_from_standard({0x05}), (Bytes{0x00, 0x05}));
    EXPECT_EQ(standard_from_tree({0x02, 0x64}), (Bytes{0x81, 0x34}));
    EXPECT_FALSE(tree_from_standard({}));
    EXPECT_FALSE(tree_from_standard({0x2B, 0x86}));
}

TEST(OidForms, RefusedEncodings) {
    EXPECT_THROW(standard_from_tree({0x01, 0x83}), EncodingException);  // cut short
    EXPECT_THROW(standard_from_tree({0x05, 0x01}), EncodingException);  // no first arc 5
    try {
        nema_from_tree({0x01, 0x03, 0x06, 0x01, 0x02});
        FAIL();
    } catch (const EncodingException& e) {
        EXPECT_STREQ(e.what(), oid_form::kNotBelowNema);
    }
}

// What the encoders write for a node: a leaf's kept identifier with the
// indexes of its groups and instance behind it, or the long way for other
// nodes and for identifiers without a standard form.
TEST(OidForms, StandardOidOfEveryNodeAsFromItsTreeForm) {
    Sample_Tree sample;
    size_t instances = 0;
    sample.tree().walk([&](const ISO_Object& node, int) {
        if (node.is(kind::kInstance)) ++instances;
        Bytes written;
        Standard_Oid(node).append_to(written);
        EXPECT_EQ(written, standard_from_tree(tree_form_of(node))) << node.name;
        EXPECT_EQ(Standard_Oid(node).size(), written.size()) << node.name;
        EXPECT_TRUE(Standard_Oid(node) == written) << node.name;
        written.back() ^= 0x01;
        EXPECT_FALSE(Standard_Oid(node) == written) << node.name;
        written.push_back(0x00);
        EXPECT_FALSE(Standard_Oid(node) == written) << node.name;
    });
    EXPECT_GT(instances, 0u);

    ISO_Tree odd;
    ISO_Object* top = odd.add_top_level<ISO_Leaf>(7, "seven");  // no first arc 7: no standard form
    ISO_Object* under = odd.add_child<Iso_Instance>(top, 0, "seven.0");
    EXPECT_THROW(Standard_Oid{*under}, EncodingException);
    ISO_Object* one = odd.add_top_level<ISO_Leaf>(1, "one");  // a single arc kept as it is
    Bytes written;
    Standard_Oid(*one).append_to(written);
    EXPECT_EQ(written, Bytes{0x01});
    written.clear();
    Standard_Oid(*odd.add_child<Iso_Instance>(one, 3, "one.3")).append_to(written);
    EXPECT_EQ(written, Bytes{0x2B});
}

}  // namespace
