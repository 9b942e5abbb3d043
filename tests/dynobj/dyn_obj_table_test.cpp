#include "dynobj/dyn_obj_table.h"

#include <gtest/gtest.h>

#include "tests/support/sample_tree.h"
#include "tree/mosy_loader.h"

namespace {

class Dynamic_Objects_Table : public ::testing::Test {
protected:
    Dynamic_Objects_Table() { table.initialize(sample.tree()); }

    void row(uint8_t n, size_t k, const std::string& object, const std::string& status, const std::string& owner = "") {
        const std::string at = std::to_string(n) + "." + std::to_string(k);
        if (!object.empty()) sample.set("dynObjVariable." + at, object);
        sample.set("dynObjStatus." + at, status);
        sample.instance("dynObjOwner." + at).value.assign(owner.begin(), owner.end());
    }
    std::string error_of(const std::function<void()>& call) {
        try {
            call();
        } catch (const Dyn_Obj_Exception& e) {
            return e.what();
        }
        return "";
    }

    Sample_Tree sample;
    Dyn_Obj_Table table;
};

TEST_F(Dynamic_Objects_Table, RowsInUseEndAtTheFirstOtherStatus) {
    row(1, 1, "1.3.6.1.4.1.1206.4.2.99.1.2.0", "1", "ann");
    row(1, 2, "1.3.6.1.4.1.1206.4.2.99.1.6.0", "1", "bob");
    row(1, 3, "1.3.6.1.4.1.1206.4.2.99.1.3.0", "2");
    row(1, 4, "1.3.6.1.4.1.1206.4.2.99.1.7.0", "1");
    const Dynamic_Object& object = table.get(1);
    EXPECT_EQ(object.active_entry_count(), 2);
    const std::vector<Dyn_Obj_Row> rows = object.rows_in_use(sample.tree());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].object->name, "demoByte.0");
    EXPECT_EQ(rows[0].owner, "ann");
    EXPECT_EQ(rows[0].status, 1);
    EXPECT_EQ(rows[1].object->name, "demoName.0");
    // The names run on over every row that names an object.
    EXPECT_EQ(object.variable_names(sample.tree()), "demoByte.0\ndemoName.0\ndemoTemperature.0\ndemoObjectId.0");
    EXPECT_EQ(object.status_byte(3), 2);
    EXPECT_EQ(object.status_byte(99), 0);
    EXPECT_EQ(object.owner_text(2), "bob");
}

TEST_F(Dynamic_Objects_Table, ADynamicObjectEndsWithItsOwnRows) {
    for (size_t k = 1; k <= 16; ++k) row(1, k, "1.3.6.1.4.1.1206.4.2.99.1.2.0", "1");
    row(2, 1, "1.3.6.1.4.1.1206.4.2.99.1.6.0", "1");
    EXPECT_EQ(table.get(1).active_entry_count(), 16);
    EXPECT_EQ(table.get(3).active_entry_count(), 0);
    EXPECT_TRUE(table.get(3).rows_in_use(sample.tree()).empty());
    EXPECT_EQ(table.get(3).variable_names(sample.tree()), "");
    // A row read back from a device that never set it holds 0.0: the end too.
    row(7, 1, "1.3.6.1.4.1.1206.4.2.99.1.2.0", "1");
    row(7, 2, "0.0", "0");
    row(7, 3, "1.3.6.1.4.1.1206.4.2.99.1.6.0", "0");
    EXPECT_EQ(table.get(7).variable_names(sample.tree()), "demoByte.0");
}

TEST_F(Dynamic_Objects_Table, BadReferences) {
    EXPECT_EQ(error_of([&] { table.get(0); }), "A request was made for an invalid Dynamic Object!");
    EXPECT_EQ(error_of([&] { table.get(14); }), "A request was made for an invalid Dynamic Object!");
    row(4, 1, "1.3.6.1.4.1.1206.4.2.99.9.9", "1");
    EXPECT_EQ(error_of([&] { table.get(4).rows_in_use(sample.tree()); }),
              "An invalid reference was made by a DynObjVariable Entry!");
    EXPECT_EQ(table.get(4).variable_names(sample.tree()), "");
    row(5, 1, "", "1");  // a row in use without an object
    EXPECT_EQ(error_of([&] { table.get(5).rows_in_use(sample.tree()); }),
              "An invalid reference was made by a DynObjVariable Entry!");
}

TEST_F(Dynamic_Objects_Table, TheFirstOctetHoldsTheFirstTwoArcs) {
    sample.instance("dynObjVariable.6.1").value = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63};
    sample.set("dynObjStatus.6.1", "1");
    EXPECT_EQ(table.get(6).rows_in_use(sample.tree())[0].object->name, "demoDevice");
}

TEST(DynObjTable, ATreeWithoutTheTableRefusesEveryDynamicObject) {
    ISO_Tree tree;
    load_mosy_text(tree, "\nOID tree\n1 iso r Root\n**end of oid tree**\n");
    Dyn_Obj_Table table;
    EXPECT_FALSE(table.initialize(tree));
    EXPECT_FALSE(table.present());
    for (uint8_t number : {1, 13}) {
        try {
            table.get(number);
            FAIL();
        } catch (const Dyn_Obj_Exception& e) {
            EXPECT_STREQ(e.what(), dynobj_text::kNoTable);
        }
    }
}

}  // namespace
