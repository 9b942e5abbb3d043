#include "tree/instance_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/support/temp_dir.h"
#include "tree/iso_tree.h"
#include "tree/mosy_loader.h"
#include "tree/tree_exception.h"

namespace {

// A scalar, a one-index table and a two-index table.
const char* const kTables =
    "\nOID tree\n"
    "1 iso OID_tree_Root Root\n"
    "1.1 s iso INTEGER read-write mandatory\n"
    "1.2 one iso Table SEQUENCE_OF OneEntry not-accessible mandatory\n"
    "1.2.1 oneEntry one Row SEQUENCE OneEntry not-accessible mandatory\n"
    "1.2.1.1 oneIndex oneEntry INTEGER read-only mandatory\n"
    "1.2.1.2 oneValue oneEntry INTEGER read-write mandatory\n"
    "1.3 two iso Table SEQUENCE_OF TwoEntry not-accessible mandatory\n"
    "1.3.1 twoEntry two Row SEQUENCE TwoEntry not-accessible mandatory\n"
    "1.3.1.1 twoA twoEntry INTEGER read-only mandatory\n"
    "1.3.1.2 twoB twoEntry INTEGER read-only mandatory\n"
    "**end of oid tree**\n"
    "-- Extended Mosy OID tree\n"
    "oneEntry one.1 seq OneEntry 1 ( oneIndex ) not-accessible mandatory\n"
    "twoEntry two.1 seq TwoEntry 2 ( twoA twoB ) not-accessible mandatory\n"
    "-- **end of Extended Mosy OID tree**\n";

class Instances : public ::testing::Test {
protected:
    Instances() : tree(dir.file("TreeCfg.ini")) {}

    void load(const std::string& text, const std::string& config) {
        dir.write("TreeCfg.ini", config);
        load_mosy_text(tree, text);
    }

    std::string create_error() {
        try {
            create_instances(tree, log);
        } catch (const Tree_Exception& error) {
            return error.message();
        }
        return "";
    }

    Temp_Dir dir;
    ISO_Tree tree;
    std::ostringstream log;
};

TEST_F(Instances, ScalarsAndOneAndTwoIndexTables) {
    load(kTables, "oneIndex = 3\ntwoA = 2\ntwoB = 3\n");
    create_instances(tree, log);

    EXPECT_EQ(ISO_Tree::instances_below(tree.find_by_name("s")), "s.0");
    EXPECT_EQ(ISO_Tree::instances_below(tree.find_by_name("oneValue")), "oneValue.1\noneValue.2\noneValue.3");
    EXPECT_EQ(ISO_Tree::instances_below(tree.find_by_name("twoB")),
              "twoB.1.1\ntwoB.1.2\ntwoB.1.3\ntwoB.2.1\ntwoB.2.2\ntwoB.2.3");
    const ISO_Object* group = tree.find_by_name("twoB.2");
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->is(kind::kGroup));
    EXPECT_EQ(group->number, 2u);
    const ISO_Object* instance = tree.find_by_dotted("1.3.1.2.2.3");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->name, "twoB.2.3");
    EXPECT_TRUE(instance->is(kind::kInstance));
    EXPECT_EQ(static_cast<const Iso_Instance*>(instance)->instance_text, "0");
    EXPECT_TRUE(static_cast<const Iso_Instance*>(instance)->value.empty());

    EXPECT_EQ(log.str(),
              "s\n"
              "oneIndex\noneIndex\noneIndex\noneValue\noneValue\noneValue\noneEntry\n"
              "twoEntry\n");
}

TEST_F(Instances, DefaultsAreAppendedToTheConfiguration) {
    const std::string dyn =
        "\nOID tree\n"
        "1 iso OID_tree_Root Root\n"
        "1.1 d iso Table SEQUENCE_OF D not-accessible mandatory\n"
        "1.1.1 dEntry d Row SEQUENCE D not-accessible mandatory\n"
        "1.1.1.1 dynObjNumber dEntry INTEGER read-only mandatory\n"
        "**end of oid tree**\n-- Extended Mosy OID tree\n"
        "dEntry d.1 seq D 1 ( dynObjNumber ) not-accessible mandatory\n";
    load(dyn, "");
    create_instances(tree, log);
    EXPECT_EQ(tree.find_by_name("dynObjNumber")->children.size(), 13u);
    EXPECT_EQ(dir.read("TreeCfg.ini"), "dynObjNumber = 13\n");
}

TEST_F(Instances, ARowWithoutIndexVariablesGetsNoRowsAndSaysSo) {
    const std::string text =
        "\nOID tree\n"
        "1 iso OID_tree_Root Root\n"
        "1.1 t iso Table SEQUENCE_OF E not-accessible mandatory\n"
        "1.1.1 tEntry t Row SEQUENCE E not-accessible mandatory\n"
        "1.1.1.1 col tEntry INTEGER read-write mandatory\n"
        "**end of oid tree**\n";
    load(text, "");
    create_instances(tree, log);
    EXPECT_EQ(tree.find_by_name("col")->first_child, nullptr);
    EXPECT_EQ(log.str(), "tEntry has no index variables: no rows created\ntEntry\n");
}

TEST_F(Instances, SecondCreationFailsOnTheExistingInstance) {
    load(kTables, "oneIndex = 1\ntwoA = 1\ntwoB = 1\n");
    create_instances(tree, log);
    EXPECT_EQ(create_error(), tree_error::kInstanceExists);
}

TEST_F(Instances, AnInstanceMetByTheWalkIsAnError) {
    load(kTables, "oneIndex = 1\ntwoA = 1\ntwoB = 1\n");
    tree.add_top_level<Iso_Instance>(9, "stray.9");
    EXPECT_EQ(create_error(), tree_error::kInstanceOfInstance);
    EXPECT_NE(tree.find_by_name("s.0"), nullptr);  // made before the walk reached it
}

TEST_F(Instances, HugeRowCountsAreRefused) {
    load(kTables, "oneIndex = 2\ntwoA = 100000\ntwoB = 100000\n");
    EXPECT_EQ(create_error(), tree_error::kTooManyRows);
    // The tables before the refused one have their rows.
    EXPECT_EQ(tree.find_by_name("oneValue")->children.size(), 2u);
    EXPECT_EQ(tree.find_by_name("twoB")->children.size(), 0u);
}

TEST_F(Instances, AMissingConfigurationFileStopsAtTheFirstTable) {
    load(kTables, "");
    std::remove(dir.file("TreeCfg.ini").c_str());
    EXPECT_EQ(create_error(), tree_error::kTableConfigOpenFailed);
    EXPECT_NE(tree.find_by_name("s.0"), nullptr);
}

}  // namespace
