#include "codec/stmp_encoder.h"

#include "codec/stmf_exception.h"
#include "tests/codec/codec_fixture.h"

namespace {

using Stmp_Encoder = Codec;

const Bytes kDemoByteNema = {0x04, 0x02, 0x63, 0x01, 0x02, 0x00};
const Bytes kDemoByteStandard = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x02, 0x00};

TEST_F(Stmp_Encoder, HeaderBytes) {
    define(5, {"demoByte.0"});
    const struct {
        uint8_t type;
        uint8_t root, nema, dynamic;
    } cases[] = {
        {message_type::kGet, 0x8E, 0x80, 0x85},         {message_type::kSet, 0x9E, 0x90, 0x95},
        {message_type::kSetNoReply, 0xAE, 0xA0, 0xA5},  {message_type::kGetNext, 0xBE, 0xB0, 0xB5},
        {message_type::kGetResponse, 0xCE, 0xC0, 0xC5}, {message_type::kSetResponse, 0xDE, 0xD0, 0xD5},
    };
    for (const auto& c : cases) {
        Message_Content message = build(request(message_type::kGet, {"demoByte.0"}, 1, "STMP"));
        message.set_message_type(c.type);
        EXPECT_EQ(encode(message).front(), c.root) << std::hex << int(c.type);
        message.set_object_encoding(0);
        EXPECT_EQ(encode(message).front(), c.nema);
        Message_Content dynamic = build_dynamic(message_type::kGet, 5);
        dynamic.set_message_type(c.type);
        EXPECT_EQ(encode(dynamic).front(), c.dynamic);
    }
    EXPECT_EQ(encode(build_dynamic(message_type::kDynamicDefinition, 5)).front(), 0x90);
}

TEST_F(Stmp_Encoder, GetsFromTheRootAndFromTheNemaNode) {
    Message_Content message = build(request(message_type::kGet, {"demoByte.0"}, 1, "STMP"));
    Bytes root = {0x8E, 0x06, 0x0D};
    root.insert(root.end(), kDemoByteStandard.begin(), kDemoByteStandard.end());
    EXPECT_EQ(encode(message), root);
    message.set_object_encoding(0);
    Bytes nema = {0x80, 0x06, 0x06};
    nema.insert(nema.end(), kDemoByteNema.begin(), kDemoByteNema.end());
    EXPECT_EQ(encode(message), nema);
}

TEST_F(Stmp_Encoder, ASetOfTwoObjectsFromTheRoot) {
    sample.set("demoByte.0", "7");
    sample.set("demoName.0", "61 62");
    const Bytes bytes = encode(build(request(message_type::kSet, {"demoByte.0", "demoName.0"}, 1, "STMP")));
    Bytes expected = {0x9E, 0x30, 0x29, 0x30, 0x12, 0x06, 0x0D};
    expected.insert(expected.end(), kDemoByteStandard.begin(), kDemoByteStandard.end());
    expected.insert(expected.end(), {0x02, 0x01, 0x07, 0x30, 0x13, 0x06, 0x0D});
    Bytes name = kDemoByteStandard;
    name[11] = 0x06;
    expected.insert(expected.end(), name.begin(), name.end());
    expected.insert(expected.end(), {0x04, 0x02, 0x61, 0x62});
    EXPECT_EQ(bytes, expected);
}

TEST_F(Stmp_Encoder, DynamicObjects) {
    define(3, {"demoByte.0"});
    EXPECT_EQ(encode(build_dynamic(message_type::kGet, 3)), Bytes{0x83});

    // A fixed-size INTEGER (0..255) and a string with its length field.
    define(2, {"demoByte.0", "demoName.0"});
    sample.set("demoName.0", "61 62");
    EXPECT_EQ(encode(build_dynamic(message_type::kSet, 2, {{"", "7", 2}, {"", "61 62", 4}})), (Bytes{0x92, 0x07, 0x02, 0x61, 0x62}));

    // A negative range: the offset from -40 in one byte.
    define(4, {"demoTemperature.0", "demoTicks.0"});
    sample.set("demoTemperature.0", "5");
    sample.set("demoTicks.0", "300");
    Message_Content response = build_dynamic(message_type::kGet, 4);
    response.set_message_type(message_type::kGetResponse);
    EXPECT_EQ(encode(response), (Bytes{0xC4, 0x2D, 0x02, 0x01, 0x2C}));
}

TEST_F(Stmp_Encoder, ADefinitionListsTheRowsOfItsTable) {
    define(1, {"demoByte.0"}, "me");
    const Bytes bytes = encode(build_dynamic(message_type::kDynamicDefinition, 1));
    // The column identifiers relative to the NEMA node, then the number and the row.
    const Bytes variable = {0x30, 0x12, 0x06, 0x08, 0x04, 0x01, 0x03, 0x01, 0x01, 0x03, 0x01, 0x01,
                            0x06, 0x06, 0x04, 0x02, 0x63, 0x01, 0x02, 0x00};
    const Bytes owner = {0x30, 0x0E, 0x06, 0x08, 0x04, 0x01, 0x03, 0x01, 0x01, 0x04, 0x01, 0x01, 0x04, 0x02, 'm', 'e'};
    const Bytes status = {0x30, 0x0D, 0x06, 0x08, 0x04, 0x01, 0x03, 0x01, 0x01, 0x05, 0x01, 0x01, 0x02, 0x01, 0x01};
    Bytes expected = {0x90, 0x30, 0x81, static_cast<uint8_t>(variable.size() + owner.size() + status.size())};
    for (const Bytes* part : {&variable, &owner, &status}) expected.insert(expected.end(), part->begin(), part->end());
    EXPECT_EQ(bytes, expected);
}

TEST_F(Stmp_Encoder, ALongDefinitionGetsATwoByteLength) {
    const std::vector<std::string> objects(16, "demoDetectorOccupancy.2.4");
    define(6, objects, std::string(40, 'o'));
    const Bytes bytes = encode(build_dynamic(message_type::kDynamicDefinition, 6));
    ASSERT_GT(bytes.size(), 260u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{0x90, 0x30, 0x82}));
    EXPECT_EQ(size_t{bytes[3]} << 8 | bytes[4], bytes.size() - 5);
}

TEST_F(Stmp_Encoder, Refusals) {
    auto error_of = [&](Message_Content message) -> std::string {
        try {
            encode(message);
        } catch (const STMF_Exception& e) {
            return e.what();
        }
        return "";
    };
    Message_Content message = build(request(message_type::kGet, {"demoByte.0"}, 1, "STMP"));
    message.set_message_type(message_type::kErrorResponse);
    EXPECT_EQ(error_of(message), "An attempt was made to encode a ERROR Response, but this is not implemented yet!");
    message.set_message_type(message_type::kTrap);
    EXPECT_EQ(error_of(message), "An attempt was made to encode a TRAP, but this is not defined yet!");
    Message_Content empty;
    empty.set_encoding_style(style::kStmp);
    empty.set_message_type(message_type::kGet);
    empty.set_object_encoding(14);
    EXPECT_EQ(error_of(empty), "Cannot encode an empty list of objects!");
    Message_Content outside = build(request(message_type::kGet, {"demoByte.0"}, 1, "STMP"));
    outside.set_object_encoding(0);
    outside.mutable_objects()[0] = Object_Entry::unknown({0x01, 0x03, 0x06, 0x01, 0x02});
    EXPECT_EQ(error_of(outside), "An object outside the NEMA node can not be encoded from the NEMA node!");

    define(7, {"demoByte.0"});
    Message_Content dynamic = build_dynamic(message_type::kGet, 7);
    dynamic.set_message_type(message_type::kErrorResponse);
    EXPECT_EQ(error_of(dynamic), "Encoding of Response Messages has not been implemeneted");
    dynamic.set_message_type(message_type::kTrap);
    EXPECT_EQ(error_of(dynamic), "TRAPs have not yet been defined in the STMP!");
    // Defined when the request was built, taken away before it is encoded.
    dynamic.set_message_type(message_type::kSet);
    sample.set("dynObjStatus.7.1", "2");
    EXPECT_EQ(error_of(dynamic), "An attempt was made to encode a Dynamic Object before it was defined!");
}

TEST_F(Stmp_Encoder, EnglishTextOfAnStmpGetAndADynamicSet) {
    std::string trace;
    Message_Content get = build(request(message_type::kGet, {"demoByte.0", "demoName.0"}, 1, "STMP"));
    get.set_object_encoding(0);
    encode(get, &trace);
    define(2, {"demoByte.0", "demoName.0", "demoTemperature.0"});
    encode(build_dynamic(message_type::kSet, 2, {{"", "7", 2}, {"", "ab", 22}, {"", "-3", 2}}), &trace);
    EXPECT_FIXTURE(trace, "codec/stmp_get_and_dynamic_set.txt");
}

}  // namespace
