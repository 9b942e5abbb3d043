#include "codec/error_state.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorStateList, FlagsGoIntoTheWordsOfTheirClass) {
    Error_State_List list;
    list.append(4, false);
    EXPECT_EQ(list.error_word(4), -1);  // not yet known
    list.record_flag(4, Error_Class::Message, ProtocolMismatch);
    list.record_flag(4, Error_Class::Object, ObjectMismatch);
    list.record_flag(4, Error_Class::Data_Link, InvalidCRC);
    list.record_flag(4, Error_Class::Data_Link, InvalidCRC);  // again: no change
    EXPECT_EQ(list.error_word(4), -1);
    list.mark_complete(4);
    EXPECT_EQ(list.error_word(4), static_cast<int32_t>(ProtocolMismatch + ObjectMismatch + InvalidCRC));
    const auto record = list.find(4);
    EXPECT_EQ(record->words[0], ProtocolMismatch);
    EXPECT_EQ(record->words[1], ObjectMismatch);
    EXPECT_EQ(record->words[2], InvalidCRC);
    EXPECT_EQ(list.error_word(5), -1);  // no such record
}

TEST(ErrorStateList, ATimedOutRequestReadsAsNoResponse) {
    Error_State_List list;
    list.append(1, true);
    list.record_flag(1, Error_Class::Data_Link, InvalidIPI);
    list.mark_timed_out(1);
    EXPECT_EQ(list.error_word(1), static_cast<int32_t>(NoResponse));
}

TEST(ErrorStateList, StatusAndResponseValue) {
    Error_State_List list;
    list.append(1, false);
    list.append(2, false);
    list.record_status(1, 2, 3);
    list.record_response_value(1, "v");
    EXPECT_EQ(list.find(1)->error_status, 2);
    EXPECT_EQ(list.find(1)->error_index, 3);
    EXPECT_EQ(list.find(1)->response_value, "v");
    list.record_response_value(2, "w");
    list.record_response_value(9, "lost");  // no record: the last one is emptied
    EXPECT_EQ(list.find(2)->response_value, "");
}

TEST(ErrorStateList, OnlyTheOldestCanBeClearedAndKeptRecordsStay) {
    Error_State_List list;
    list.append(1, false);
    list.append(2, true);
    list.append(2, false);  // a second record with the same id
    EXPECT_FALSE(list.clear_oldest(2));
    EXPECT_TRUE(list.clear_oldest(1));
    EXPECT_FALSE(list.clear_oldest(1));
    list.finish(2);  // the first record with id 2 is kept
    EXPECT_TRUE(list.find(2)->keep);
    EXPECT_TRUE(list.clear_oldest(2));
    list.finish(2);
    EXPECT_TRUE(list.empty());
}

}  // namespace
