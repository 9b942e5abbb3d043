#include "tree/iso_tree.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// iso(1) - org(3) - a(1) - { x(1), y(2) - { x(7) } }, and a second top-level
// node z(2).
class Small_Tree : public ::testing::Test {
protected:
    void SetUp() override {
        iso = tree.add_top_level<ISO_Node>(1, "iso");
        org = tree.add_child<ISO_Node>(iso, 3, "org");
        a = tree.add_child<ISO_Node>(org, 1, "a");
        x = tree.add_child<ISO_Leaf>(a, 1, "x");
        y = tree.add_child<ISO_Node>(a, 2, "y");
        z = tree.add_top_level<ISO_Node>(2, "z");
    }

    ISO_Object* instance(ISO_Object* parent, uint32_t number) {
        return tree.add_child<Iso_Instance>(parent, number, parent->name + "." + std::to_string(number));
    }

    ISO_Tree tree;
    ISO_Object *iso, *org, *a, *x, *y, *z;
};

TEST_F(Small_Tree, TheFirstNodeInDepthFirstOrderWinsAName) {
    ISO_Object* deep_x = tree.add_child<ISO_Leaf>(y, 7, "x");
    EXPECT_EQ(tree.find_by_name("x"), x);

    // A node added later but placed earlier in the walk takes the name over.
    ISO_Object* under_z = tree.add_child<ISO_Leaf>(z, 1, "w");
    ISO_Object* under_org = tree.add_child<ISO_Leaf>(a, 9, "w");
    EXPECT_EQ(tree.find_by_name("w"), under_org);
    (void)under_z;
    (void)deep_x;

    ISO_Object* first_x_child = tree.add_child<ISO_Leaf>(x, 1, "y");
    EXPECT_EQ(tree.find_by_name("y"), first_x_child);  // x's subtree comes before y itself
    EXPECT_EQ(tree.find_by_name("X"), nullptr);        // names are case-sensitive
    EXPECT_EQ(tree.find_by_name(""), nullptr);
}

TEST_F(Small_Tree, FindsByOidOctetsAndByDottedText) {
    EXPECT_EQ(tree.find_by_oid({0x01, 0x03, 0x01, 0x02}), y);
    EXPECT_EQ(tree.find_by_oid({0x02}), z);
    EXPECT_EQ(tree.find_by_oid({0x80, 0x01, 0x03}), org);  // a redundant leading 0x80
    EXPECT_EQ(tree.find_by_oid({0x01, 0x03, 0x81}), nullptr);  // ends inside a sub-identifier
    EXPECT_EQ(tree.find_by_oid({}), nullptr);
    EXPECT_EQ(tree.find_by_oid({0x01, 0x03, 0x01, 0x03}), nullptr);

    EXPECT_EQ(tree.find_by_dotted("1.3.1.1"), x);
    EXPECT_EQ(tree.find_by_dotted("1.3..1.1"), x);
    EXPECT_EQ(tree.find_by_dotted("1.3.1.1.5"), nullptr);
    EXPECT_EQ(tree.find_by_dotted("1.3.a"), nullptr);
    EXPECT_EQ(tree.find_by_dotted("iso"), nullptr);
}

TEST_F(Small_Tree, LargeSubidentifiersAreFoundExactly) {
    ISO_Object* big = tree.add_child<ISO_Node>(a, 16389, "big");
    ISO_Object* five = tree.add_child<ISO_Node>(a, 5, "five");
    ISO_Object* huge = tree.add_child<ISO_Node>(a, 4294967295u, "huge");
    EXPECT_EQ(tree.find_by_dotted("1.3.1.16389"), big);
    EXPECT_EQ(tree.find_by_dotted("1.3.1.5"), five);
    EXPECT_EQ(tree.find_by_dotted("1.3.1.4294967295"), huge);
    EXPECT_EQ(tree.find_by_dotted("1.3.1.4294967296"), nullptr);
    EXPECT_EQ(tree.find_by_oid(encode_subidentifiers({1, 3, 1, 16389})), big);
}

TEST_F(Small_Tree, TheFirstSiblingWithANumberTakesTheSearch) {
    ISO_Object* second_y = tree.add_child<ISO_Node>(a, 2, "y2");
    tree.add_child<ISO_Node>(second_y, 4, "under_second");
    EXPECT_EQ(tree.find_by_dotted("1.3.1.2"), y);
    EXPECT_EQ(tree.find_by_dotted("1.3.1.2.4"), nullptr);  // no backtracking into the second
}

// The finder for the bindings of one message starts where the last
// identifier's octets part; one after another, identifiers that share a
// start, part inside a sub-identifier, break off or run past the tree are
// found exactly as a fresh lookup finds them.
TEST_F(Small_Tree, TheFinderOfOneMessageAnswersAsAFreshLookup) {
    ISO_Object* big = tree.add_child<ISO_Node>(a, 200, "big");   // 81 48
    ISO_Object* next = tree.add_child<ISO_Node>(a, 201, "next");  // 81 49
    tree.add_child<ISO_Node>(a, 2, "y2");                         // a sibling behind y with its number
    ISO_Object* x0 = instance(x, 0);
    const std::vector<Bytes> sequence = {
        {0x2B, 0x01, 0x01, 0x00},  // x.0
        {0x2B, 0x01, 0x02},        // y: parts after a.
        {0x2B, 0x01, 0x81, 0x48},  // big
        {0x2B, 0x01, 0x81, 0x49},  // next: parts inside the sub-identifier
        {0x2B, 0x01, 0x81},        // ends inside a sub-identifier
        {0x2B, 0x01, 0x01, 0x00},  // x.0 again
        {0x2B, 0x01, 0x01, 0x00, 0x05},  // below an instance: nothing
        {0x2B, 0x01, 0x01, 0x00},
        {},
        {0x2B},                    // org
        {0x2B, 0x01, 0x09},        // no such child
        {0x2B, 0x01, 0x09, 0x01},
        {0x2B, 0x01, 0x01},        // x
        {0x2B, 0x01, 0x8F, 0xFF, 0xFF, 0xFF, 0xFF},  // beyond 32 bits
        {0x2B, 0x01, 0x80, 0x02},  // y with a redundant leading 0x80
        {0x52},                    // 2.2: the first octet holds two arcs, and z has no child 2
    };
    Standard_Oid_Finder finder(tree);
    for (const Bytes& content : sequence)
        EXPECT_EQ(finder.find(content), tree.find_by_standard(content)) << ::testing::PrintToString(content);
    EXPECT_EQ(tree.find_by_standard(sequence[0]), x0);
    EXPECT_EQ(tree.find_by_standard(sequence[1]), y);
    EXPECT_EQ(tree.find_by_standard(sequence[2]), big);
    EXPECT_EQ(tree.find_by_standard(sequence[3]), next);
    EXPECT_EQ(tree.find_by_standard(sequence[14]), y);
}

TEST_F(Small_Tree, ANodeBehindASiblingWithItsNumberIsNotFoundByOid) {
    ISO_Object* second_y = tree.add_child<ISO_Node>(a, 2, "y2");
    ISO_Object* under_second = tree.add_child<ISO_Node>(second_y, 4, "under_second");
    ISO_Object* under_y = tree.add_child<ISO_Node>(y, 4, "under_y");
    EXPECT_TRUE(y->found_by_oid);
    EXPECT_TRUE(under_y->found_by_oid);
    EXPECT_FALSE(second_y->found_by_oid);
    EXPECT_FALSE(under_second->found_by_oid);
    EXPECT_TRUE(z->found_by_oid);
    EXPECT_FALSE(tree.add_top_level<ISO_Node>(2, "z2")->found_by_oid);
}

TEST_F(Small_Tree, DottedTextLongerThanTheLimitIsNotLookedUp) {
    std::string text = "1.3.1.1";
    // Leading zeros put in one by one as characters: GCC 12 at -O3 misreads
    // inserting a text at the front as an overlapping copy.
    while (text.size() < ISO_Tree::kMaxDottedText) text.insert(text.begin(), '0');
    EXPECT_EQ(text.size(), ISO_Tree::kMaxDottedText);
    EXPECT_EQ(tree.find_by_dotted(text), x);
    std::string longer(1, '0');
    longer += text;
    EXPECT_EQ(tree.find_by_dotted(longer), nullptr);
}

TEST_F(Small_Tree, DottedOidRunsFromTheTopLevelNode) {
    EXPECT_EQ(ISO_Tree::dotted_oid(y), "1.3.1.2");
    EXPECT_EQ(ISO_Tree::dotted_oid(z), "2");
}

TEST_F(Small_Tree, InstancesBelowANodeAndTheNextInstance) {
    ISO_Object* x0 = instance(x, 0);
    ISO_Object* y1 = instance(y, 1);
    ISO_Object* y2 = instance(y, 2);
    ISO_Object* z1 = instance(z, 1);

    EXPECT_EQ(ISO_Tree::instances_below(a), "x.0\ny.1\ny.2");
    EXPECT_EQ(ISO_Tree::instances_below(y), "y.1\ny.2");
    EXPECT_EQ(ISO_Tree::instances_below(x0), "");
    EXPECT_EQ(ISO_Tree::instances_below(iso), "x.0\ny.1\ny.2");  // z is not below iso

    EXPECT_EQ(ISO_Tree::next_instance(iso), x0);
    EXPECT_EQ(ISO_Tree::next_instance(x), x0);
    EXPECT_EQ(ISO_Tree::next_instance(x0), y1);
    EXPECT_EQ(ISO_Tree::next_instance(y1), y2);
    EXPECT_EQ(ISO_Tree::next_instance(y2), z1);  // climbs out to the next top-level node
    EXPECT_EQ(ISO_Tree::next_instance(z1), nullptr);
}

TEST_F(Small_Tree, TheInstanceAfterAnIdentifierGoesByNumberNotByChainOrder) {
    // y's instances were made out of order: identifier order is 1.3.1.2.1,
    // 1.3.1.2.5, 1.3.1.2.9, whatever the chain says.
    ISO_Object* x0 = instance(x, 0);
    ISO_Object* y9 = instance(y, 9);
    ISO_Object* y1 = instance(y, 1);
    ISO_Object* y5 = instance(y, 5);
    ISO_Object* z1 = instance(z, 1);
    const struct {
        Oid_Numbers from;
        const ISO_Object* next;
    } cases[] = {
        {{0}, x0},          {{1}, x0},          {{1, 3, 1, 1}, x0},    {{1, 3, 1, 1, 0}, y1},
        {{1, 3, 1, 2}, y1}, {{1, 3, 1, 2, 1}, y5}, {{1, 3, 1, 2, 5}, y9}, {{1, 3, 1, 2, 6, 4}, y9},
        {{1, 3, 1, 2, 9}, z1}, {{1, 4}, z1},    {{2, 1}, nullptr},     {{}, x0},
    };
    for (const auto& c : cases) EXPECT_EQ(tree.instance_after(c.from), c.next) << join_dotted(c.from);
}

TEST_F(Small_Tree, WalkVisitsDepthFirstWithDepths) {
    std::string seen;
    tree.walk([&](const ISO_Object& node, int depth) { seen += node.name + ":" + std::to_string(depth) + " "; });
    EXPECT_EQ(seen, "iso:0 org:1 a:2 x:3 y:3 z:0 ");
}

TEST_F(Small_Tree, ReplaceSyntaxTouchesExactMatchesOnly) {
    x->object_type = std::make_unique<Object_Type>("DemoPercent", "read-write", "mandatory");
    y->object_type = std::make_unique<Object_Type>("DemoPercentage", "read-write", "mandatory");
    tree.replace_syntax("DemoPercent", "INTEGER (0..100)");
    EXPECT_EQ(x->object_type->syntax, "INTEGER (0..100)");
    EXPECT_EQ(x->object_type->upper.value(), 100);
    EXPECT_EQ(y->object_type->syntax, "DemoPercentage");
}

TEST(OwningLeaf, PassesThroughGroupsAndInstances) {
    ISO_Tree tree;
    ISO_Object* top = tree.add_top_level<ISO_Node>(1, "top");
    ISO_Object* leaf = tree.add_child<ISO_Leaf>(top, 1, "col");
    leaf->object_type = std::make_unique<Object_Type>("INTEGER (0..9)", "read-only", "mandatory");
    ISO_Object* group = tree.add_child<ISO_Group_Inst>(leaf, 1, "col.1");
    ISO_Object* inst = tree.add_child<Iso_Instance>(group, 2, "col.1.2");
    EXPECT_EQ(owning_leaf(inst), leaf);
    EXPECT_EQ(object_type_of(group), leaf->object_type.get());
    EXPECT_EQ(owning_leaf(top), nullptr);
}

}  // namespace
