#include "codec/validation.h"

#include <gtest/gtest.h>

#include "codec/activity_log.h"
#include "tests/support/sample_tree.h"

namespace {

TEST(StmpHeaderCheck, LinesForEachResponse) {
    Sample_Tree sample;
    const struct {
        uint8_t request_type, request_nibble, response_type, response_nibble;
        const char* text;
    } cases[] = {
        {0x80, 14, 0xC0, 14,
         "  GET RESPONSE Message is valid for the previous GET REQUEST.\n  Message type and style are valid for the "
         "request.\n\n"},
        {0x80, 0, 0xC0, 14,
         "  GET RESPONSE Message is valid for the previous GET REQUEST.\n  Message type and style are valid for the "
         "request.\n\n"},
        {0x80, 3, 0xC0, 4,
         "  Message Validation Error:  Dynamic Object Number of response is \n    different from the request!\n\nGET "
         "RESPONSE Message is valid for the previous GET REQUEST.\n  Message type and style are valid for the "
         "request.\n\n"},
        {0x90, 14, 0xC0, 14,
         "  Message Validation Error:  A GET RESPONSE was received, but the last\n    request was not a GET "
         "REQUEST!\n\n  Message type and style are valid for the request.\n\n"},
        {0x90, 2, 0xD0, 2,
         "  SET RESPONSE Message is valid for the previous SET REQUEST.\n  Message type and style are valid for the "
         "request.\n\n"},
        {0x80, 2, 0xD0, 2,
         "  Message Validation Error:  A SET RESPONSE was received, but the last\n    request was not a SET "
         "REQUEST!\n\n  Message type and style are valid for the request.\n\n"},
        {0xA0, 14, 0xE0, 14,
         "  Protocol Error!  An Invalid Error Response was received to a SET NO REPLY!\n\n  Message type and style "
         "are valid for the request.\n\n"},
        {0x80, 14, 0xE0, 14,
         "  An ERROR RESPONSE was received to the last request.\n  Message type and style are valid for the "
         "request.\n\n"},
        {0x80, 14, 0xF0, 14,
         "  Protocol Error! TRAPS are not yet defined!\n\nProtocol Error! undefined Response type!\n\nMessage type "
         "and style are valid for the request.\n\n"},
        {0x80, 14, 0x90, 14,
         "  Protocol Error! undefined Response type!\n\nMessage type and style are valid for the request.\n\n"},
    };
    for (const auto& c : cases) {
        std::string out;
        Activity_Log log(sample.tree(), &out);
        stmp_header_check(log, c.request_type, c.request_nibble, c.response_type, c.response_nibble, 1);
        EXPECT_EQ(out, c.text) << std::hex << int(c.request_type) << " " << int(c.response_type);
    }
}

TEST(StoreIntoInstance, OnlyAValueOfTheObjectsSyntax) {
    Sample_Tree sample;
    std::string out;
    Activity_Log log(sample.tree(), &out);
    EXPECT_EQ(store_into_instance(sample.instance("demoByte.0"), 0x02, {0x05}, log), 0);
    EXPECT_EQ(store_into_instance(sample.instance("demoByte.0"), 0x04, {0x06}, log), 3);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x05});
    EXPECT_EQ(out, "Warning!  The Syntax did not agree with the data from the MIB!, aborting SET\n");
}

}  // namespace
