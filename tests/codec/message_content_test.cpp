#include "codec/message_content.h"

#include <gtest/gtest.h>

#include "codec/dynamic_objects.h"
#include "codec/stmf_exception.h"
#include "codec/value_tlv.h"
#include "tests/support/sample_tree.h"
#include "tree/instance_value.h"
#include "tree/object_type.h"

namespace {

Request_Record snmp_request(std::vector<std::string> names) {
    Request_Record record;
    record.protocol = "SNMP";
    record.class_name = "Class B";
    record.community = "Orchid";
    record.request_id = 7;
    record.address = 5;
    record.get = 1;
    for (auto& name : names) record.objects.push_back({std::move(name), "", 2});
    return record;
}

std::string error_of(const std::function<void()>& call) {
    try {
        call();
    } catch (const InvalidReferenceException& e) {
        return e.what();
    }
    return "";
}

class Build : public ::testing::Test {
protected:
    Message_Content build(Request_Record record, const Dynamic_Objects* table = nullptr) {
        Message_Content message;
        message.build_from_request(record, table, sample.tree());
        last = record;
        return message;
    }
    Sample_Tree sample;
    Request_Record last;
};

TEST_F(Build, TypeFromTheFirstFlagSet) {
    const struct {
        int get, get_next, set, type4, type5;
        uint8_t type;
    } cases[] = {
        {1, 0, 1, 0, 0, 0x80}, {0, 1, 1, 0, 0, 0xB0}, {0, 0, 1, 1, 0, 0x90},
        {0, 0, 0, 1, 1, 0x91}, {0, 0, 0, 0, 1, 0x70}, {0, 0, 0, 0, 0, 0xC0},
    };
    for (const auto& c : cases) {
        Request_Record record = snmp_request({"demoByte.0"});
        record.get = c.get;
        record.get_next = c.get_next;
        record.set = c.set;
        record.type4 = c.type4;
        record.type5 = c.type5;
        EXPECT_EQ(build(record).message_type(), c.type);
    }
}

TEST_F(Build, StyleClassAndAddress) {
    const struct {
        const char* protocol;
        const char* class_name;
        int32_t address, group;
        uint8_t style;
        int32_t class_code;
        uint16_t field;
    } cases[] = {
        {"SNMP", "Class B", 5, 0, 3, 2, 21},
        {"STMP", "POLL", 100, 1, 8, 99, 659},
        {"STMP", "Class B", 100, 7, 8, 2, 659},  // any group flag counts as 1
        {"SNMP", "Class B", 8191, 0, 3, 2, 127 * 512 + 63 * 4 + 1},
        {"SNMP", "Class B", 8192, 0, 3, 2, 0},
        {"POLL", "POLL", 5, 0, 0, 99, 2299},  // polls go to 255 with the group flag 255
        {"snmp", "class b", 0, 0, 17, 99, 1},
    };
    for (const auto& c : cases) {
        Request_Record record = snmp_request({"demoByte.0"});
        record.protocol = c.protocol;
        record.class_name = c.class_name;
        record.address = c.address;
        record.group_address = c.group;
        const Message_Content message = build(record);
        EXPECT_EQ(message.encoding_style(), c.style) << c.protocol;
        EXPECT_EQ(message.class_code(), c.class_code) << c.class_name;
        EXPECT_EQ(message.address(), c.field) << c.address;
    }
    build(snmp_request({"demoByte.0"}));
    Request_Record poll = snmp_request({"demoByte.0"});
    poll.protocol = "POLL";
    build(poll);
    EXPECT_EQ(last.address, 255);
    EXPECT_EQ(last.group_address, 255);
}

TEST_F(Build, ObjectsByNameOrOidInRequestOrder) {
    const Message_Content message = build(snmp_request({"demoName.0", "1.3.6.1.4.1.1206.4.2.99.1.2.0"}));
    ASSERT_EQ(message.objects().size(), 2u);
    EXPECT_EQ(message.objects()[0].instance->name, "demoName.0");
    EXPECT_EQ(message.objects()[1].instance->name, "demoByte.0");
    EXPECT_EQ(message.list_kind(), list_kind::kInstances);
    EXPECT_EQ(message.object_encoding(), object_encoding::kFromRoot);
    EXPECT_EQ(message.request_id(), 7);
    EXPECT_EQ(message.community(), (Bytes{'O', 'r', 'c', 'h', 'i', 'd'}));
    EXPECT_EQ(message.send_time(), 0);
}

TEST_F(Build, UnknownObjectsAreRefused) {
    for (const char* name : {"noSuchThing.0", "demoByte", "1.3.6.1.4.1.1206.4.2.99.1.2", ""}) {
        EXPECT_EQ(error_of([&] { build(snmp_request({"demoByte.0", name})); }), "An invalid object was specified!")
            << name;
    }
}

// A Set goes out with the values given, even those the MIB would refuse (a
// tester sends them to see the device refuse them), each with a warning.
TEST_F(Build, SetStoresTheValuesGivenAndWarnsOfThoseTheMibRefuses) {
    Request_Record record = snmp_request({"demoByte.0", "demoName.0", "demoCounter.0"});
    record.get = 0;
    record.set = 1;
    record.objects[0].value = "300";  // out of range
    record.objects[1].value = "hello";
    record.objects[1].value_type = syntax::kDisplayText;
    record.objects[2].value = "5";  // read-only
    sample.set("demoByte.0", "9");
    const Message_Content message = build(record);
    EXPECT_EQ(sample.instance("demoByte.0").value, (Bytes{0x01, 0x2C}));
    EXPECT_EQ(sample.instance("demoName.0").value, (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(sample.instance("demoCounter.0").value, Bytes{0x05});
    EXPECT_EQ(message.warnings(),
              "Warning!  The value \"300\" is outside what the MIB allows for demoByte.0; the value is sent as given.\n"
              "Warning!  The MIB makes this object read-only: demoCounter.0; the value is sent as given.\n");

    record.objects[0].value = "abc";  // no INTEGER at all: refused, nothing changed
    EXPECT_THROW(build(record), InvalidReferenceException);
    EXPECT_EQ(sample.instance("demoByte.0").value, (Bytes{0x01, 0x2C}));

    record.objects[0].value = "42";
    build(record);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x2A});
    Request_Record get = record;
    get.set = 0;
    get.get = 1;
    get.objects[0].value = "43";
    build(get);  // a Get does not touch the values
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x2A});
}

TEST_F(Build, RawIdentifiersRestartTheList) {
    // demoByte's tree form, each byte plus one.
    std::string raw = {0x02, 0x04, 0x07, 0x02, 0x05, 0x02, static_cast<char>(0x8A), 0x37, 0x05, 0x03, 0x64, 0x02, 0x08};
    const Message_Content message = build(snmp_request({"demoName.0", raw, "noSuchThing.0", "demoTicks.0"}));
    EXPECT_EQ(message.list_kind(), list_kind::kRawIdentifier);
    ASSERT_EQ(message.objects().size(), 2u);  // the raw one, then demoTicks.0; the unknown name skipped
    EXPECT_EQ(message.objects()[0].instance, nullptr);
    EXPECT_EQ(message.objects()[0].identifier,
              (Bytes{0x01, 0x03, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x07}));
    EXPECT_EQ(message.objects()[1].instance->name, "demoTicks.0");
}

TEST_F(Build, UnknownGetNextTakesTheSecondSlotAsAnIdentifier) {
    Request_Record record = snmp_request({"unknowngetnextxyz", "1.3.6.1.4.1.1206.4.2.99.1.200 5", "demoByte.0"});
    record.get = 0;
    record.get_next = 1;
    const Message_Content message = build(record);
    EXPECT_EQ(message.list_kind(), list_kind::kRawIdentifier);
    ASSERT_EQ(message.objects().size(), 1u);
    EXPECT_EQ(message.objects()[0].identifier,
              (Bytes{0x01, 0x03, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x81, 0x48, 0x05}));
    EXPECT_EQ(error_of([&] { build(snmp_request({"unknowngetnext"})); }), "An invalid object was specified!");
}

TEST_F(Build, DynamicRequestsNeedTheTable) {
    Request_Record record = snmp_request({});
    record.protocol = "STMP";
    record.dynamic_object = 1;
    record.dyn_obj_number = 3;
    EXPECT_EQ(error_of([&] { build(record); }), "The pointer to the Dynamic Object is undefined!");

    struct Empty_Table : Dynamic_Objects {
        Object_List object_list(uint8_t, const ISO_Tree&) const override { return {}; }
    } empty;
    EXPECT_EQ(error_of([&] { build(record, &empty); }), "The requested Dynamic Object is undefined!");

    record.dyn_obj_number = 15;
    EXPECT_EQ(error_of([&] { build(record, &empty); }), "An invalid Encoding Style was requested!");
}

TEST(MessageContent, AccessorsRefuseWhatIsNotThere) {
    Message_Content message;
    EXPECT_EQ(error_of([&] { message.message_type(); }), "An attempt was made to access an undefined message type!");
    EXPECT_EQ(error_of([&] { message.set_message_type(0x91); }), "An Invalid Message Type was requested!");
    EXPECT_EQ(error_of([&] { message.set_message_type(0x70); }), "An Invalid Message Type was requested!");
    EXPECT_EQ(error_of([&] { message.set_object_encoding(15); }), "An invalid Encoding Style was requested!");
    EXPECT_EQ(error_of([&] { message.objects(); }), "An attempt was made to access an empty object list!");
    EXPECT_EQ(error_of([&] { message.set_objects({}); }), "An empty list was passed to Message Content Set Object List.");
    EXPECT_TRUE(message.object_list_empty());
    message.set_objects({Object_Entry{}});
    EXPECT_TRUE(message.object_list_empty());  // its first entry holds no object
    for (uint8_t type : {0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0}) {
        message.set_message_type(type);
        EXPECT_EQ(message.message_type(), type);
    }
}

TEST(MessageContent, FirstReceivedByte) {
    const struct {
        uint8_t byte;
        uint8_t style, type, encoding;
    } cases[] = {
        {0x30, 3, 0, 0}, {0x2F, 17, 0, 0}, {0x00, 17, 0, 0}, {0xC5, 8, 0xC0, 5}, {0x8E, 8, 0x80, 14}, {0xE0, 8, 0xE0, 0},
    };
    for (const auto& c : cases) {
        Message_Content message;
        message.decode_first_byte(c.byte);
        EXPECT_EQ(message.encoding_style(), c.style) << int(c.byte);
        EXPECT_EQ(message.raw_message_type(), c.type) << int(c.byte);
        EXPECT_EQ(message.object_encoding(), c.encoding) << int(c.byte);
    }
}

}  // namespace
