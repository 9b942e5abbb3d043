#include "tree/mosy_loader.h"

#include <gtest/gtest.h>

#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"
#include "tree/iso_tree.h"
#include "tree/substitution_pass.h"
#include "tree/tree_exception.h"

namespace {

const char* const kTop =
    "\nOID tree\n"
    "1 iso OID_tree_Root Root\n"
    "1.3 org iso Node\n";

std::string load_error(ISO_Tree& tree, const std::string& text) {
    try {
        load_mosy_text(tree, text);
    } catch (const Tree_Exception& error) {
        return error.message();
    }
    return "";
}

std::string load_error(const std::string& text) {
    ISO_Tree tree;
    return load_error(tree, text);
}

TEST(MosyLoader, NodeLinesBuildTheTree) {
    ISO_Tree tree;
    load_mosy_text(tree, std::string(kTop) +
                             "1.3.6 t org Table SEQUENCE_OF TEntry not-accessible mandatory\n"
                             "1.3.6.1 tEntry t Row SEQUENCE TEntry not-accessible mandatory\n"
                             "1.3.6.1.1 tIndex tEntry INTEGER (1..9) read-only mandatory\n"
                             "1.3.7 bare org Something\n"
                             "1.3.8\ttabbed\torg\tCounter\tread-only\tmandatory\n"
                             "**end of oid tree**\n");
    const ISO_Object* iso = tree.root();
    ASSERT_NE(iso, nullptr);
    EXPECT_TRUE(iso->is(kind::kNode));  // a Root line makes a "Node"
    EXPECT_EQ(iso->object_type, nullptr);

    const ISO_Object* table = tree.find_by_name("t");
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->is(kind::kTable));
    EXPECT_EQ(table->object_type->syntax, "Table SEQUENCE_OF TEntry");
    EXPECT_EQ(table->object_type->access, "not-accessible");
    EXPECT_TRUE(tree.find_by_name("tEntry")->is(kind::kRow));

    const ISO_Object* index = tree.find_by_dotted("1.3.6.1.1");
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->name, "tIndex");
    EXPECT_TRUE(index->is(kind::kLeaf));
    EXPECT_EQ(index->object_type->syntax, "INTEGER (1..9)");
    EXPECT_EQ(index->object_type->upper.value(), 9);

    const ISO_Object* bare = tree.find_by_name("bare");
    EXPECT_TRUE(bare->is(kind::kLeaf));
    EXPECT_EQ(bare->object_type, nullptr);  // four fields: no object type
    EXPECT_EQ(tree.find_by_name("tabbed")->object_type->syntax, "Counter");
}

TEST(MosyLoader, ASecondRootLineJoinsTheTopLevelChain) {
    ISO_Tree tree;
    load_mosy_text(tree, std::string(kTop) + "2 joint OID_tree_Root Root\n2.5 ds joint Node\n**end of oid tree**\n");
    EXPECT_EQ(tree.root()->next_sibling, tree.find_by_name("joint"));
    EXPECT_EQ(tree.find_by_dotted("2.5")->name, "ds");
}

TEST(MosyLoader, FailuresCarryTheirTexts) {
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"no tree here\n", tree_error::kNoOidTree},
        {"", tree_error::kNoOidTree},
        {std::string(kTop) + "1.3.6 short org\n", tree_error::kTooFewFields},
        {std::string(kTop) + "\n", tree_error::kTooFewFields},
        {std::string(kTop) + "1.3.9.9 orphan nowhere Node\n", tree_error::kParentNotFound},
        {std::string(kTop) + "5 noplace parent Node\n", tree_error::kParentNotFound},
        {std::string(kTop) + "**end of oid tree**\n-- Extended Mosy OID tree\nmissing org.1 seq M 1 ( i ) x y\n",
         tree_error::kIndexVariableNotFound},
    };
    for (const auto& c : cases) EXPECT_EQ(load_error(c.text), c.error) << c.text;

    ISO_Tree tree;
    EXPECT_THROW(load_mosy_file(tree, "/nonexistent/Mibsub.out"), Tree_Exception);
    try {
        load_mosy_file(tree, "/nonexistent/Mibsub.out");
    } catch (const Tree_Exception& error) {
        EXPECT_STREQ(error.what(), "Could not open the Extended MOSY file.");
    }
}

TEST(MosyLoader, NodesMadeBeforeAFailureStay) {
    ISO_Tree tree;
    EXPECT_EQ(load_error(tree, std::string(kTop) + "1.3.4 kept org Node\n1.3.4 short\n"), tree_error::kTooFewFields);
    EXPECT_NE(tree.find_by_name("kept"), nullptr);
}

TEST(MosyLoader, TheExtendedTreeHeaderAloneStartsTheNodePass) {
    // Its section's lines then read as node lines: the first has too few fields.
    const std::string text = "\n-- Extended Mosy OID tree\niso                  1 Root\n";
    EXPECT_EQ(load_error(text), tree_error::kTooFewFields);
}

TEST(MosyLoader, DefinitionLines) {
    ISO_Tree tree;
    load_mosy_text(tree, std::string(kTop) +
                             "1.3.1 mode org Enum read-write mandatory\n"
                             "1.3.2 pct org DemoPercent read-write mandatory\n"
                             "1.4 seqd iso DemoRow read-write mandatory\n"
                             "1.3.3 deeper org DemoRow read-write mandatory\n"
                             "1.3.4 state org Enum read-write mandatory\n"
                             "**end of oid tree**\n"
                             "Enum mode 3 (\n"
                             "    off 1\n"
                             "    not an entry\n"
                             "    flashing -3\n"
                             "Enum nosuchnode 2 (\n"
                             "    skipped 1\n"
                             "    skipped 2\n"
                             "Textual DemoPercent INTEGER (0..100)\n"
                             "Sequence DemoRow 3 {\n"
                             "    first\n"
                             "    two words\n"
                             "    third\n"
                             "*state 2 (\n"  // the compiler's own form
                             "    dark                 1\n"
                             "    green                4\n"
                             ")\n"
                             "+DemoPercent INTEGER\n"
                             "*mode 3 (\n"  // cut short by the end of the section
                             "-- Extended Mosy OID tree\n"
                             "Enum mode 1 (\n"
                             "    after 9\n");
    const auto* mode = static_cast<const ISO_Leaf*>(tree.find_by_name("mode"));
    ASSERT_EQ(mode->enumeration.size(), 3u);
    EXPECT_EQ(mode->enumeration[0].label, "off");
    EXPECT_EQ(mode->enumeration[0].value, 1);
    EXPECT_EQ(mode->enumeration[1].label, "");  // not two fields: left empty
    EXPECT_EQ(mode->enumeration[2].label, "flashing");
    EXPECT_EQ(mode->enumeration[2].value, -3);
    EXPECT_EQ(tree.find_by_name("skipped"), nullptr);
    const auto* state = static_cast<const ISO_Leaf*>(tree.find_by_name("state"));
    ASSERT_EQ(state->enumeration.size(), 2u);
    EXPECT_EQ(state->enumeration[1].label, "green");
    EXPECT_EQ(state->enumeration[1].value, 4);

    const ISO_Object* pct = tree.find_by_name("pct");
    EXPECT_EQ(pct->object_type->syntax, "INTEGER (0..100)");
    EXPECT_EQ(pct->object_type->upper.value(), 100);

    // Only children of the top-level nodes get a sequence's members.
    EXPECT_EQ(tree.find_by_name("seqd")->object_type->syntax, "DemoRow{ first third }");
    EXPECT_EQ(tree.find_by_name("deeper")->object_type->syntax, "DemoRow");
}

TEST(MosyLoader, IndexLinesFillTheRowsIndexList) {
    ISO_Tree tree;
    load_mosy_text(tree, std::string(kTop) +
                             "1.3.1 tab org Table SEQUENCE_OF E not-accessible mandatory\n"
                             "1.3.1.1 ent tab Row SEQUENCE E not-accessible mandatory\n"
                             "**end of oid tree**\n"
                             "-- Extended Mosy OID tree\n"
                             "ent                  tab.1            seq E 2 ( first second ) not-accessible mandatory\n"
                             "ent                  tab.1            seq E 9 ( only )\n"
                             "-- **end of Extended Mosy OID tree**\n"
                             "ent tab.1 seq E 1 ( after )\n");
    const auto* row = static_cast<const ISO_Entry*>(tree.find_by_name("ent"));
    // The count runs past the line's fields on the second line: what is there is taken.
    EXPECT_EQ(row->index_list, (std::vector<std::string>{"first", "second", "only", ")"}));
}

TEST(MosyLoader, LongLinesAreCutAndManyFieldsDropped) {
    ISO_Tree tree;
    std::string fields;
    for (int i = 0; i < 30; ++i) fields += " w" + std::to_string(i);
    const std::string long_name(400, 'n');
    load_mosy_text(tree, std::string(kTop) + "1.3.1 many org" + fields + "\n**end of oid tree**\n");
    const ISO_Object* many = tree.find_by_name("many");
    ASSERT_NE(many, nullptr);
    // Twenty fields: syntax w0..w14, access w15, status w16.
    EXPECT_EQ(many->object_type->access, "w15");
    EXPECT_EQ(many->object_type->status, "w16");
    // The 255 characters of the line end inside the name: it is cut there and has too few fields.
    ISO_Tree other;
    EXPECT_EQ(load_error(other, std::string(kTop) + "1.3.2 " + long_name + " org Node\n"), tree_error::kTooFewFields);
}

TEST(MosyLoader, TheSampleLoadsAfterTwoPasses) {
    Temp_Dir dir;
    copy_sample_into(dir);
    const auto quiet = [](const std::string&) {};
    ASSERT_EQ(substitution_pass(dir.file("Mibi.out"), dir.file("Mibint.out"), quiet), 0);
    ASSERT_EQ(substitution_pass(dir.file("Mibint.out"), dir.file("Mibsub.out"), quiet), 0);
    ISO_Tree tree;
    load_mosy_file(tree, dir.file("Mibsub.out"));

    // Conventions keep their range and size; DisplayString keeps its name.
    EXPECT_EQ(tree.find_by_name("demoName")->object_type->syntax, "DisplayString (SIZE (0..32))");
    EXPECT_EQ(tree.find_by_name("dynObjOwner")->object_type->syntax, "DisplayString");
    EXPECT_EQ(tree.find_by_name("demoLabel")->object_type->syntax, "DisplayString (SIZE (0..16))");
    EXPECT_EQ(tree.find_by_name("demoPercent")->object_type->syntax, "INTEGER (0..100)");
    EXPECT_EQ(tree.find_by_name("demoPercent")->object_type->upper.value(), 100);
    const auto* mode = static_cast<const ISO_Leaf*>(tree.find_by_name("demoMode"));
    ASSERT_EQ(mode->enumeration.size(), 3u);
    EXPECT_EQ(mode->enumeration[2].label, "flashing");
    EXPECT_EQ(mode->enumeration[2].value, 3);
    EXPECT_EQ(tree.find_by_name("demoTemperature")->object_type->lower.value(), -40);
    const auto* dyn = static_cast<const ISO_Entry*>(tree.find_by_name("dynObjEntry"));
    EXPECT_EQ(dyn->index_list, (std::vector<std::string>{"dynObjNumber", "dynObjIndex"}));
    EXPECT_EQ(ISO_Tree::dotted_oid(tree.find_by_name("dynObjStatus")), "1.3.6.1.4.1.1206.4.1.3.1.1.5");
}

}  // namespace

namespace {

TEST(MosyLoader, ChildrenOfADuplicateNumberGoUnderTheFirstNode) {
    ISO_Tree tree;
    load_mosy_text(tree, std::string(kTop) +
                             "1.3.5 first org Node\n"
                             "1.3.5 second org Node\n"
                             "1.3.5.1 child parent Node\n"
                             "**end of oid tree**\n");
    EXPECT_EQ(tree.find_by_name("child")->parent, tree.find_by_name("first"));
    EXPECT_EQ(tree.find_by_name("second")->first_child, nullptr);
}

}  // namespace
