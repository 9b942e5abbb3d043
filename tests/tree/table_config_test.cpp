#include "tree/table_config.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "tree/tree_exception.h"

namespace {

TEST(TableConfig, TheFirstLineContainingTheNameGivesItsThirdField) {
    Temp_Dir dir;
    // "signalIndex" is inside "demoSignalIndexExtra", which comes first.
    dir.write("TreeCfg.ini", "demoSignalIndexExtra = 4\nSignalIndex = 9\nother = 2\n");
    Table_Config config(dir.file("TreeCfg.ini"));
    EXPECT_EQ(config.row_count("SignalIndex"), 4u);
    EXPECT_EQ(config.row_count("other"), 2u);
    EXPECT_EQ(dir.read("TreeCfg.ini"), "demoSignalIndexExtra = 4\nSignalIndex = 9\nother = 2\n");
}

TEST(TableConfig, AMissingNameGetsItsDefaultAppended) {
    Temp_Dir dir;
    dir.write("TreeCfg.ini", "x = 2\n");
    Table_Config config(dir.file("TreeCfg.ini"));
    EXPECT_EQ(config.row_count("dynObjNumber"), 13u);
    EXPECT_EQ(config.row_count("fooIndex"), 1u);
    EXPECT_EQ(config.row_count("fooIndex"), 1u);  // found this time, not appended again
    EXPECT_EQ(dir.read("TreeCfg.ini"), "x = 2\ndynObjNumber = 13\nfooIndex = 1\n");
}

TEST(TableConfig, AppendingToAFileWithoutAFinalLineFeedStartsANewLine) {
    Temp_Dir dir;
    dir.write("TreeCfg.ini", "x = 2");
    Table_Config config(dir.file("TreeCfg.ini"));
    EXPECT_EQ(config.row_count("y"), 1u);
    EXPECT_EQ(dir.read("TreeCfg.ini"), "x = 2\ny = 1\n");
}

TEST(TableConfig, OddLinesGiveZeroRows) {
    Temp_Dir dir;
    dir.write("TreeCfg.ini", "short =\nbad = many\nneg = -3\n");
    Table_Config config(dir.file("TreeCfg.ini"));
    EXPECT_EQ(config.row_count("short"), 0u);
    EXPECT_EQ(config.row_count("bad"), 0u);
    EXPECT_EQ(config.row_count("neg"), 0u);
}

TEST(TableConfig, AMissingFileIsATreeError) {
    Temp_Dir dir;
    Table_Config config(dir.file("TreeCfg.ini"));
    try {
        config.row_count("x");
        FAIL() << "no error";
    } catch (const Tree_Exception& error) {
        EXPECT_STREQ(error.what(), "Open on the Table Configuration File failed!");
    }
    EXPECT_FALSE(dir.exists("TreeCfg.ini"));
}

}  // namespace
