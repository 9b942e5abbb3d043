// The ".dyn" file: records written and read line for line, and the files
// the format refuses.
#include "dynobj/dyn_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kThree =
    "2\r\nTMC\r\nOrchid\r\n1\r\n0\r\n0\r\n3\r\ndemoInteger.0\r\ndemoName.0\r\ndemoSignalState.3\r\n\r\n"
    "5\r\n!Owner\r\n!CommName\r\n0\r\n1\r\n1\r\n1\r\ndemoByte.0\r\n\r\n"
    "13\r\nlab\r\npublic\r\n7\r\n0\r\n0\r\n2\r\ndemoGauge.0\r\ndemoAddress.0\r\n\r\n";

Dyn_Obj_Records by_number(const std::vector<Dyn_Obj_Record>& list) {
    Dyn_Obj_Records records;
    for (const Dyn_Obj_Record& record : list) records[record.number] = record;
    return records;
}

TEST(DynFile, ThreeRecordsReadAndWriteBackLineForLine) {
    const std::vector<Dyn_Obj_Record> records = read_dyn_file(kThree);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].names, (std::vector<std::string>{"demoInteger.0", "demoName.0", "demoSignalState.3"}));
    EXPECT_EQ(records[1].community, "!CommName");
    EXPECT_TRUE(records[1].group);
    EXPECT_TRUE(records[1].edit);
    EXPECT_EQ(records[2].address, 7);
    EXPECT_EQ(write_dyn_file(by_number(records)), kThree);
}

TEST(DynFile, EmptyOwnerAndCommunityAreWrittenAsTheirPlaceholders) {
    Dyn_Obj_Record record;
    record.number = 1;
    record.address = 3;
    record.names = {"demoByte.0"};
    EXPECT_EQ(write_dyn_file({{1, record}}), "1\r\n!Owner\r\n!CommName\r\n3\r\n0\r\n0\r\n1\r\ndemoByte.0\r\n\r\n");
}

TEST(DynFile, TwelveVariablesReadBackAsTwelve) {
    Dyn_Obj_Record record;
    record.number = 4;
    record.owner = "TMC";
    record.community = "Orchid";
    record.address = 1;
    for (int k = 1; k <= 12; ++k) record.names.push_back("demoDetectorVolume.1." + std::to_string(k));
    const std::string text = write_dyn_file({{4, record}});
    EXPECT_NE(text.find("\r\n12\r\n"), std::string::npos);
    EXPECT_EQ(read_dyn_file(text), std::vector<Dyn_Obj_Record>{record});
}

TEST(DynFile, AFileWhoseFirstLineIsEmptyHoldsNothing) {
    EXPECT_TRUE(read_dyn_file("\r\n2\r\nTMC\r\n").empty());
    EXPECT_TRUE(read_dyn_file("").empty());
}

TEST(DynFile, RecordsTheFormatRefuses) {
    const std::string long49(50, 'o');
    const std::string long31(32, 'n');
    const struct {
        const char* title;
        std::string text;
        const char* message;
    } cases[] = {
        {"number 14", "14\r\nx\r\nc\r\n1\r\n0\r\n0\r\n1\r\ndemoByte.0\r\n\r\n", "the number must be from 1 to 13"},
        {"owner of 50", "1\r\n" + long49 + "\r\nc\r\n1\r\n0\r\n0\r\n1\r\ndemoByte.0\r\n\r\n",
         "the owner is longer than 49 characters"},
        {"community of 50", "1\r\nx\r\n" + long49 + "\r\n1\r\n0\r\n0\r\n1\r\ndemoByte.0\r\n\r\n",
         "the community name is longer than 49 characters"},
        {"name of 32", "1\r\nx\r\nc\r\n1\r\n0\r\n0\r\n1\r\n" + long31 + "\r\n\r\n",
         "a variable name is empty or longer than 31 characters"},
        {"27 variables", "1\r\nx\r\nc\r\n1\r\n0\r\n0\r\n27\r\n", "more than 26 variables"},
        {"cut short", "1\r\nx\r\nc\r\n1\r\n0\r\n0\r\n3\r\ndemoByte.0\r\n", "the record is cut short"},
        {"descending", "3\r\nx\r\nc\r\n1\r\n0\r\n0\r\n1\r\ndemoByte.0\r\n\r\n2\r\nx\r\nc\r\n1\r\n0\r\n0\r\n1\r\ndemoByte.0\r\n\r\n",
         "the numbers are not in ascending order"},
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE(refused.title);
        try {
            read_dyn_file(refused.text);
            ADD_FAILURE() << "accepted";
        } catch (const Dyn_File_Exception& failure) {
            EXPECT_NE(failure.message().find(refused.message), std::string::npos) << failure.message();
        }
    }
}

}  // namespace
