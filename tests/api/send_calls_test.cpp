// The send and response calls that need no line: CalcCrc, and what
// EncodeData makes of a Set's values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/api/engine_fixture.h"

namespace {

using Send_Calls = Sample_Engine;

const uint8_t kCheck[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};

TEST_F(Send_Calls, CalcCrcNeedsAnEngine) {
    uint16_t result = 0x1234;
    EXPECT_EQ(CalcCrc(kCheck, sizeof kCheck, &result), -1);
    EXPECT_EQ(result, 0x1234);
}

TEST_F(Send_Calls, CalcCrcGivesTheFcsOctetsInLineOrder) {
    ASSERT_EQ(init(), 0);
    uint16_t result = 0;
    EXPECT_EQ(CalcCrc(kCheck, sizeof kCheck, &result), 0);
    EXPECT_EQ(result, 0x6E90);
    result = 0x1234;
    EXPECT_EQ(CalcCrc(kCheck, 0, &result), 0);
    EXPECT_EQ(result, 0x0000);
    EXPECT_EQ(CalcCrc(nullptr, 0, &result), 0);
    // The FCS octets of a frame body: address 05, control 13, IPI C1, 30 00.
    const uint8_t body[] = {0x05, 0x13, 0xC1, 0x30, 0x00};
    EXPECT_EQ(CalcCrc(body, sizeof body, &result), 0);
    EXPECT_EQ(result, 0xABE9);
}

TEST_F(Send_Calls, CalcCrcRefusesMissingBuffers) {
    ASSERT_EQ(init(), 0);
    uint16_t result = 0x1234;
    EXPECT_EQ(CalcCrc(nullptr, 3, &result), -1);
    EXPECT_EQ(result, 0x1234);
    EXPECT_EQ(CalcCrc(kCheck, sizeof kCheck, nullptr), -1);
}

struct Encoded {
    int32_t result = -1;
    std::string english;
    std::vector<uint8_t> frame;
};

Encoded encode_set(const char* name, const char* value, uint8_t type) {
    std::string protocol = "SNMP", class_name = "Class B", community = "Orchid", object = name, text = value;
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = 1;
    request.set = 1;
    request.object_count = 1;
    request.object_names[0] = object.data();
    request.values[0] = text.data();
    request.value_types[0] = type;
    Encoded out;
    Encoded_Frame first{};
    Owned_Text english;
    int32_t count = 0;
    out.result = EncodeData(&english.text, &request, &first, nullptr, nullptr, nullptr, nullptr, &count, 0);
    out.english = english.str();
    if (out.result == 0) out.frame.assign(first.frame, first.frame + first.positions[6] + 1);
    for (Encoded_Frame* frame = first.next; frame != nullptr;) {
        Encoded_Frame* next = frame->next;
        std::free(frame);
        frame = next;
    }
    return out;
}

std::string shown;
int32_t show(const char* text) {
    shown += text;
    return 0;
}

bool contains(const std::vector<uint8_t>& frame, const std::vector<uint8_t>& part) {
    return std::search(frame.begin(), frame.end(), part.begin(), part.end()) != frame.end();
}

// A Set never goes out with another value than the one given: a text that
// is no value of the syntax is refused with its reason; a value the MIB's
// range or access would refuse is sent as given, with a warning, so that a
// tester can see the device refuse it.
TEST_F(Send_Calls, ASetValueIsSentAsGivenOrRefusedWithItsReason) {
    load();
    const Encoded refused = encode_set("demoInteger.0", "abc", QV_TYPE_INTEGER);
    EXPECT_EQ(refused.result, -1);
    EXPECT_NE(refused.english.find("Encode Exception Caught!\nThe value \"abc\" can not be encoded in the syntax "
                                   "of demoInteger.0!\n"),
              std::string::npos)
        << refused.english;

    const Encoded outside = encode_set("demoByte.0", "300", QV_TYPE_INTEGER);
    EXPECT_EQ(outside.result, 0) << outside.english;
    EXPECT_EQ(outside.english.rfind("Warning!  The value \"300\" is outside what the MIB allows for demoByte.0; "
                                    "the value is sent as given.\n",
                                    0),
              0u)
        << outside.english;
    EXPECT_TRUE(contains(outside.frame, {0x02, 0x02, 0x01, 0x2C}));

    const Encoded read_only = encode_set("demoCounter.0", "5", QV_TYPE_INTEGER);
    EXPECT_EQ(read_only.result, 0) << read_only.english;
    EXPECT_NE(read_only.english.find("Warning!  The MIB makes this object read-only: demoCounter.0"), std::string::npos);
    EXPECT_TRUE(contains(read_only.frame, {0x41, 0x01, 0x05}));

    // SendData sends nothing and shows why.
    std::string protocol = "SNMP", class_name = "Class B", community = "Orchid", object = "demoInteger.0", text = "abc";
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.set = 1;
    request.object_count = 1;
    request.object_names[0] = object.data();
    request.values[0] = text.data();
    request.value_types[0] = QV_TYPE_INTEGER;
    shown.clear();
    EXPECT_EQ(SendData(&request, show, nullptr, 0), -1);
    EXPECT_NE(shown.find("can not be encoded in the syntax of demoInteger.0!\n"), std::string::npos) << shown;

    const Encoded unknown = encode_set("noSuchObject.0", "5", QV_TYPE_INTEGER);
    EXPECT_EQ(unknown.result, -1);
    EXPECT_NE(unknown.english.find("Encode Exception Caught!\nAn invalid object was specified!\n"), std::string::npos)
        << unknown.english;
}

}  // namespace
