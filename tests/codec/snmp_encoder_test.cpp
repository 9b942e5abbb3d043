#include "codec/snmp_encoder.h"

#include <algorithm>

#include "codec/stmf_exception.h"
#include "tests/codec/codec_fixture.h"

namespace {

using Snmp_Encoder = Codec;

const Bytes kDemoByteOid = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x02, 0x00};

TEST_F(Snmp_Encoder, AGetOfOneScalar) {
    Bytes expected = {0x30, 0x2B, 0x02, 0x01, 0x00, 0x04, 0x06, 'O', 'r', 'c', 'h', 'i', 'd', 0xA0, 0x1E,
                      0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x13, 0x30, 0x11, 0x06, 0x0D};
    expected.insert(expected.end(), kDemoByteOid.begin(), kDemoByteOid.end());
    expected.insert(expected.end(), {0x05, 0x00});
    EXPECT_EQ(encode(build(request(message_type::kGet, {"demoByte.0"}))), expected);
}

TEST_F(Snmp_Encoder, RequestIdsAreIntegers) {
    const Bytes two_hundred = encode(build(request(message_type::kGet, {"demoByte.0"}, 200)));
    EXPECT_EQ(Bytes(two_hundred.begin() + 15, two_hundred.begin() + 19), (Bytes{0x02, 0x02, 0x00, 0xC8}));
    const Bytes negative = encode(build(request(message_type::kGet, {"demoByte.0"}, -2)));
    EXPECT_EQ(Bytes(negative.begin() + 15, negative.begin() + 18), (Bytes{0x02, 0x01, 0xFE}));
}

TEST_F(Snmp_Encoder, ValuesTravelInSetsOnly) {
    sample.set("demoTemperature.0", "-12");
    sample.set("demoName.0", "51 75 6F");
    const Bytes set = encode(build(request(message_type::kSet, {"demoTemperature.0", "demoName.0"})));
    const Bytes temperature = {0x02, 0x01, 0xF4};
    EXPECT_NE(std::search(set.begin(), set.end(), temperature.begin(), temperature.end()), set.end());
    EXPECT_EQ(Bytes(set.end() - 5, set.end()), (Bytes{0x04, 0x03, 'Q', 'u', 'o'}));
    for (uint8_t type : {message_type::kGet, message_type::kGetNext}) {
        const Bytes bytes = encode(build(request(type, {"demoTemperature.0", "demoName.0"})));
        EXPECT_EQ(Bytes(bytes.end() - 2, bytes.end()), (Bytes{0x05, 0x00}));
        EXPECT_EQ(std::search(bytes.begin(), bytes.end(), temperature.begin(), temperature.end()), bytes.end());
    }
}

TEST_F(Snmp_Encoder, AValueNeverSetGoesOutAsValidBer) {
    // An empty OBJECT IDENTIFIER (06 00) or IpAddress (40 00) is malformed:
    // an instance never given a value answers 0.0 and 0.0.0.0.
    const Bytes answer = encode(build(request(message_type::kGetResponse, {"demoObjectId.0", "demoAddress.0"})));
    const Bytes object_id = {0x01, 0x07, 0x00, 0x06, 0x01, 0x00};  // ...1.7.0 = 0.0
    EXPECT_NE(std::search(answer.begin(), answer.end(), object_id.begin(), object_id.end()), answer.end());
    EXPECT_EQ(Bytes(answer.end() - 9, answer.end()), (Bytes{0x01, 0x0B, 0x00, 0x40, 0x04, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(Snmp_Encoder, RefusedTypes) {
    const struct {
        uint8_t type;
        const char* error;
    } cases[] = {
        {message_type::kSetNoReply, "An attempt was made to encode an SNMP Set-No Reply Request, but this is invalid!"},
        {message_type::kSetResponse, "An attempt was made to encode a SET Response, but this is not implemented yet!"},
        {message_type::kErrorResponse,
         "An attempt was made to encode a ERROR Response, but this is not implemented yet!"},
        {message_type::kTrap, "An attempt was made to encode a TRAP, but this is not implemented!"},
    };
    for (const auto& c : cases) {
        Message_Content message = build(request(message_type::kGet, {"demoByte.0"}));
        message.set_message_type(c.type);
        STMF_Message out;
        std::string trace;
        try {
            stmf.encode(out, message, &trace);
            FAIL();
        } catch (const InvalidReferenceException& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
        EXPECT_TRUE(out.bytes().empty());
        if (c.type == message_type::kSetNoReply) {
            EXPECT_EQ(trace, "\nEncoding:\n    Set-No Reply Request.\n\nError -- Set-No Reply not supported by SNMP!\n");
        }
    }
    Request_Record record = request(message_type::kGet, {"demoByte.0"});
    record.get = 0;
    record.type4 = 1;
    EXPECT_THROW(encode(build(record)), InvalidReferenceException);
}

TEST_F(Snmp_Encoder, AnAnswerWithAnErrorCarriesItsBindings) {
    // A manager cannot read a Get response without its bindings (RFC 1157).
    Request_Record record = request(message_type::kGet, {"demoByte.0"}, 9);
    record.get = 0;  // an answer: Get response
    const Bytes bytes = encode(build(record), nullptr, 2, 1);
    Bytes expected = {0x30, 0x2C, 0x02, 0x01, 0x00, 0x04, 0x06, 'O',  'r',  'c',  'h',  'i',  'd',  0xA2, 0x1F,
                      0x02, 0x01, 0x09, 0x02, 0x01, 0x02, 0x02, 0x01, 0x01, 0x30, 0x14, 0x30, 0x12, 0x06, 0x0D};
    expected.insert(expected.end(), kDemoByteOid.begin(), kDemoByteOid.end());
    expected.insert(expected.end(), {0x02, 0x01, 0x00});
    EXPECT_EQ(bytes, expected);
}

TEST_F(Snmp_Encoder, PollsAreNotEncoded) {
    Request_Record record = request(message_type::kGet, {"demoByte.0"});
    record.protocol = "POLL";
    std::string trace;
    EXPECT_TRUE(encode(build(record), &trace).empty());
    EXPECT_EQ(trace, "");
}

TEST_F(Snmp_Encoder, TheSameBytesWithAndWithoutTheTrace) {
    sample.set("demoTicks.0", "123456");
    const Message_Content message = build(request(message_type::kSet, {"demoTicks.0", "demoByte.0"}));
    std::string trace;
    EXPECT_EQ(encode(message, &trace), encode(message));
    EXPECT_FALSE(trace.empty());
}

TEST_F(Snmp_Encoder, EnglishTextOfAGet) {
    std::string trace;
    encode(build(request(message_type::kGet, {"demoByte.0", "demoName.0"})), &trace);
    EXPECT_FIXTURE(trace, "codec/snmp_get.txt");
}

TEST_F(Snmp_Encoder, EnglishTextOfASet) {
    sample.set("demoTemperature.0", "-12");
    sample.set("demoName.0", "51 75 6F 72 76 61 6E");
    sample.set("demoAddress.0", "C0 A8 00 01");
    sample.set("demoGauge.0", "4294967295");
    sample.set("demoObjectId.0", "1.3.6.1.4.1.1206.4.2.99");
    std::string trace;
    encode(build(request(message_type::kSet,
                         {"demoTemperature.0", "demoName.0", "demoAddress.0", "demoGauge.0", "demoObjectId.0"}, 300)),
           &trace);
    EXPECT_FIXTURE(trace, "codec/snmp_set.txt");
}

TEST_F(Snmp_Encoder, EnglishTextOfAGetNext) {
    std::string trace;
    encode(build(request(message_type::kGetNext, {"demoSignalState.3"}, 2)), &trace);
    EXPECT_FIXTURE(trace, "codec/snmp_get_next.txt");
}

}  // namespace
