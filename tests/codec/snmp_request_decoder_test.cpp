#include "codec/snmp_request_decoder.h"

#include "field/carry_out.h"
#include "field/field_device_settings.h"
#include "tests/codec/codec_fixture.h"
#include "tests/codec/snmp_messages.h"

namespace {

constexpr uint8_t kDemoInteger = 1, kDemoByte = 2, kDemoTemperature = 3, kDemoOctets = 5, kDemoName = 6,
                  kDemoObjectId = 7, kDemoCounter = 8, kDemoGauge = 9, kDemoLabel = 13;

class Field_Request : public Codec {
protected:
    Field_Answer serve(const Bytes& request) {
        trace.clear();
        STMF::Decoded decoded = stmf.decode(request, nullptr, &trace, Role::field, nullptr, &carry_out);
        EXPECT_TRUE(decoded.answer.has_value());
        return decoded.answer.value_or(Field_Answer{});
    }
    Field_Device_Settings settings;
    Carry_Out carry_out{settings};
    std::string trace;
};

TEST_F(Field_Request, AGetIsReadFromTheTree) {
    sample.set("demoByte.0", "200");
    sample.set("demoName.0", "51 75 6F");
    const Field_Answer answer = serve(snmp_message(0xA0, 33, 0, 0,
                                                   {{demo_scalar(kDemoByte), {0x05, 0x00}},
                                                    {demo_scalar(kDemoName), {0x05, 0x00}}}));
    EXPECT_EQ(answer.kind, Answer_Kind::get);
    EXPECT_EQ(answer.error_status, 0u);
    EXPECT_EQ(answer.record.request_id, 33);
    EXPECT_EQ(answer.record.protocol, "SNMP");
    EXPECT_EQ(answer.record.class_name, "Class B");
    EXPECT_EQ(answer.record.community, "Orchid");
    ASSERT_EQ(answer.record.objects.size(), 2u);
    EXPECT_EQ(answer.record.objects[0].name, "demoByte.0");
    EXPECT_EQ(answer.record.objects[0].value, "200");
    EXPECT_EQ(answer.record.objects[1].value, "Quo");
    EXPECT_FIXTURE(trace, "codec/snmp_field_get.txt");
}

TEST_F(Field_Request, TheFirstObjectThatFailsEndsTheWalk) {
    const Bytes outside = {0x2B, 0x06, 0x01, 0x06, 0x03, 0x01};
    const Field_Answer answer = serve(snmp_message(0xA0, 1, 0, 0,
                                                   {{demo_scalar(kDemoByte), {0x05, 0x00}},
                                                    {outside, {0x05, 0x00}},
                                                    {demo_scalar(kDemoName), {0x05, 0x00}}}));
    EXPECT_EQ(answer.error_status, 2u);
    EXPECT_EQ(answer.error_index, 2u);
    EXPECT_NE(trace.find("Getting value for instance object unknown\n"), std::string::npos);
    // The unknown object is named by its raw identifier: the tree form plus one.
    EXPECT_EQ(answer.record.objects[1].name, (std::string{0x02, 0x04, 0x07, 0x02, 0x07, 0x04, 0x02}));
}

TEST_F(Field_Request, AGetOfANodeThatHoldsNoValueIsNoSuchName) {
    const Bytes leaf = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x02};
    const Field_Answer answer = serve(snmp_message(0xA0, 1, 0, 0, {{leaf, {0x05, 0x00}}}));
    EXPECT_EQ(answer.error_status, 2u);
    EXPECT_EQ(answer.error_index, 1u);
}

struct Set_Case {
    uint8_t object;
    Bytes value;  // the whole value TLV
    uint32_t status;
    Bytes stored;  // the instance's value afterwards
};

TEST_F(Field_Request, ASetStoresByTheObjectsSyntax) {
    const std::string names[] = {"", "demoInteger.0", "demoByte.0", "demoTemperature.0", "", "demoOctets.0",
                                 "demoName.0", "demoObjectId.0", "demoCounter.0", "demoGauge.0"};
    const Set_Case cases[] = {
        {kDemoTemperature, {0x02, 0x01, 0xF6}, 0, {0xF6}},         // -10: a signed number
        {kDemoTemperature, {0x02, 0x01, 0x9C}, 3, {}},             // -100: below the range
        {kDemoTemperature, {0x02, 0x01, 0x56}, 3, {}},             // 86: above it
        {kDemoByte, {0x02, 0x02, 0x00, 0xFF}, 0, {0x00, 0xFF}},    // 255
        {kDemoByte, {0x02, 0x02, 0x01, 0x00}, 3, {}},              // 256
        {kDemoInteger, {0x02, 0x01, 0x80}, 0, {0xFF, 0x80}},       // -128, kept as the station writes it
        {kDemoInteger, {0x02, 0x03, 0x00, 0x00, 0x05}, 0, {0x05}}, // padded
        {kDemoName, {0x04, 0x02, 'h', 'i'}, 0, {'h', 'i'}},        // the octets received
        {kDemoOctets, {0x04, 0x03, 0x00, 0xFF, 0x7F}, 0, {0x00, 0xFF, 0x7F}},
        {kDemoObjectId, {0x06, 0x03, 0x2B, 0x06, 0x01}, 0, {0x2B, 0x06, 0x01}},
        {kDemoGauge, {0x42, 0x05, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}, 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF}},
        {kDemoGauge, {0x42, 0x01, 0xFF}, 3, {}},                   // not an unsigned number
        {kDemoByte, {0x04, 0x01, 0x05}, 3, {}},                    // a tag not the object's syntax
        {kDemoName, {0x02, 0x01, 0x05}, 3, {}},
        {kDemoCounter, {0x41, 0x01, 0x05}, 4, {}},                 // read-only
    };
    for (const auto& c : cases) {
        Sample_Tree fresh;
        STMF device(fresh.tree(), nullptr);
        std::string text;
        const STMF::Decoded decoded = device.decode(snmp_message(0xA3, 4, 0, 0, {{demo_scalar(c.object), c.value}}),
                                                    nullptr, &text, Role::field, nullptr, &carry_out);
        const Field_Answer& answer = *decoded.answer;
        EXPECT_EQ(answer.kind, Answer_Kind::set);
        EXPECT_EQ(answer.error_status, c.status) << names[c.object] << " " << hex_text(c.value);
        EXPECT_EQ(answer.error_index, c.status == 0 ? 0u : 1u);
        EXPECT_EQ(fresh.instance(names[c.object]).value, c.stored) << names[c.object] << " " << hex_text(c.value);
    }
}

TEST_F(Field_Request, ASetAnswersWithTheValueReadBack) {
    const Field_Answer answer = serve(snmp_message(0xA3, 4, 0, 0, {{demo_scalar(kDemoLabel), {0x04, 0x02, 'o', 'k'}}}));
    EXPECT_EQ(answer.record.objects[0].value, "ok");
    EXPECT_FIXTURE(trace, "codec/snmp_field_set.txt");
}

TEST_F(Field_Request, AGetNextAnswersWithTheNextInstance) {
    sample.set("demoTemperature.0", "-3");
    const Field_Answer answer = serve(snmp_message(0xA1, 5, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}}));
    EXPECT_EQ(answer.kind, Answer_Kind::get_next);
    EXPECT_EQ(answer.record.objects[0].name, "demoTemperature.0");
    EXPECT_EQ(answer.record.objects[0].value, "-3");
    EXPECT_NE(trace.find("\nGetting next object past demoByte.0: demoTemperature.0\n"), std::string::npos);

    const Bytes from_the_node = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63};
    EXPECT_EQ(serve(snmp_message(0xA1, 6, 0, 0, {{from_the_node, {0x05, 0x00}}})).record.objects[0].name,
              "demoInteger.0");

    const Bytes last = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x03, 0x01, 0x04, 0x02, 0x04};
    const Field_Answer none = serve(snmp_message(0xA1, 7, 0, 0, {{last, {0x05, 0x00}}}));
    EXPECT_EQ(none.error_status, 2u);
    EXPECT_NE(trace.find(": Could not find next object!\n"), std::string::npos);
}

TEST_F(Field_Request, AGetResponseIsNotAnswered) {
    const Field_Answer answer = serve(snmp_message(0xA2, 5, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x01}}}));
    EXPECT_EQ(answer.kind, Answer_Kind::none);
    EXPECT_NE(trace.find("Field device does not respond to a GET response\n"), std::string::npos);
}

TEST_F(Field_Request, MalformedRequestsAreAnsweredWithGenErr) {
    const Bytes good = snmp_message(0xA0, 3, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}});
    auto with = [&](size_t at, uint8_t byte) {
        Bytes bytes = good;
        bytes[at] = byte;
        return bytes;
    };
    for (const Bytes& request : {with(1, 0x7F), with(2, 0x04), with(4, 0x01), with(13, 0xA4), with(13, 0x99), with(26, 0x02),
                                 Bytes(good.begin(), good.end() - 3), Bytes{0x30}}) {
        const Field_Answer answer = serve(request);
        EXPECT_EQ(answer.kind, Answer_Kind::get) << hex_text(request);
        EXPECT_EQ(answer.error_status, 5u) << hex_text(request);
    }
}

TEST_F(Field_Request, CommunitiesAreCheckedAgainstTheAcceptedNames) {
    serve(snmp_message(0xA0, 3, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}}));
    EXPECT_NE(trace.find("The community name is valid\n"), std::string::npos);
    const Field_Answer answer = serve(snmp_message(0xA0, 3, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}}, "public"));
    EXPECT_NE(trace.find("Invalid Community Name!"), std::string::npos);
    EXPECT_EQ(answer.error_status, 0u);  // answered all the same
    EXPECT_EQ(answer.record.community, "public");
}

TEST_F(Field_Request, NegativeRequestIdsAreKept) {
    EXPECT_EQ(serve(snmp_message(0xA0, -5, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}})).record.request_id, -5);
    EXPECT_EQ(serve(snmp_message(0xA0, 2147483647, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}})).record.request_id,
              2147483647);
}

TEST(FieldDeviceSettings, OneCommunityToBeginWith) {
    const Field_Device_Settings settings;
    EXPECT_EQ(settings.count(), 1u);
    EXPECT_EQ(settings.name(0), "Orchid");
    EXPECT_EQ(settings.name(1), "ILLEGAL COMMUNITY NAME");
    EXPECT_EQ(settings.name(1000), "ILLEGAL COMMUNITY NAME");
}

}  // namespace
