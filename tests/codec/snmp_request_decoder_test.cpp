#include "codec/snmp_request_decoder.h"

#include "field/answer_builder.h"
#include "field/carry_out.h"
#include "field/field_device_settings.h"
#include "tests/codec/codec_fixture.h"
#include "tests/codec/snmp_messages.h"

namespace {

constexpr uint8_t kDemoInteger = 1, kDemoByte = 2, kDemoTemperature = 3, kDemoMode = 4, kDemoOctets = 5,
                  kDemoName = 6, kDemoObjectId = 7, kDemoCounter = 8, kDemoGauge = 9, kDemoAddress = 11,
                  kDemoPercent = 12, kDemoLabel = 13;

// The standard content of an identifier in dotted text.
Bytes oid(const std::string& dotted) { return ber_oid_from_dotted(dotted).value(); }

// n octets of text, for the SIZE clauses.
Bytes text_tlv(size_t n) {
    Bytes tlv = {0x04, static_cast<uint8_t>(n)};
    tlv.insert(tlv.end(), n, 'x');
    return tlv;
}

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
    const std::string names[] = {"",           "demoInteger.0",  "demoByte.0",    "demoTemperature.0", "demoMode.0",
                                 "demoOctets.0", "demoName.0",   "demoObjectId.0", "demoCounter.0", "demoGauge.0",
                                 "",           "demoAddress.0",  "demoPercent.0", "demoLabel.0"};
    const Set_Case cases[] = {
        {kDemoTemperature, {0x02, 0x01, 0xF6}, 0, {0xF6}},         // -10: a signed number
        {kDemoTemperature, {0x02, 0x01, 0x9C}, 3, {}},             // -100: below the range
        {kDemoTemperature, {0x02, 0x01, 0x56}, 3, {}},             // 86: above it
        {kDemoByte, {0x02, 0x02, 0x00, 0xFF}, 0, {0x00, 0xFF}},    // 255
        {kDemoByte, {0x02, 0x02, 0x01, 0x00}, 3, {}},              // 256
        {kDemoInteger, {0x02, 0x01, 0x80}, 0, {0x80}},             // -128, in the fewest octets
        {kDemoInteger, {0x02, 0x03, 0x00, 0x00, 0x05}, 0, {0x05}}, // padded
        {kDemoName, {0x04, 0x02, 'h', 'i'}, 0, {'h', 'i'}},        // the octets received
        {kDemoOctets, {0x04, 0x04, 0x00, 0xFF, 0x7F, 0x01}, 0, {0x00, 0xFF, 0x7F, 0x01}},
        // The whole syntax: SIZE clauses, enumerations, and the conventions
        // an object is defined through.
        {kDemoOctets, {0x04, 0x03, 0x00, 0xFF, 0x7F}, 3, {}},     // SIZE (4)
        {kDemoOctets, text_tlv(6), 3, {}},
        {kDemoName, text_tlv(32), 0, Bytes(32, 'x')},             // SIZE (0..32)
        {kDemoName, text_tlv(33), 3, {}},
        {kDemoLabel, text_tlv(16), 0, Bytes(16, 'x')},            // DemoLabel: DisplayString (SIZE (0..16))
        {kDemoLabel, text_tlv(17), 3, {}},
        {kDemoMode, {0x02, 0x01, 0x03}, 0, {0x03}},                // { off(1), on(2), flashing(3) }
        {kDemoMode, {0x02, 0x01, 0x09}, 3, {}},
        {kDemoMode, {0x02, 0x01, 0x00}, 3, {}},
        {kDemoPercent, {0x02, 0x01, 0x64}, 0, {0x64}},             // DemoPercent: INTEGER (0..100)
        {kDemoPercent, {0x02, 0x01, 0x65}, 3, {}},
        {kDemoAddress, {0x40, 0x04, 10, 0, 0, 1}, 0, {10, 0, 0, 1}},
        {kDemoAddress, {0x40, 0x03, 10, 0, 0}, 3, {}},             // an address is four octets
        {kDemoObjectId, {0x06, 0x02, 0x2B, 0x86}, 3, {}},          // cut short inside a sub-identifier
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

TEST_F(Field_Request, ASetChecksEveryValueBeforeItStoresAny) {
    struct Case {
        Binding_Bytes refused;
        uint32_t status;
    };
    const Case cases[] = {
        {{demo_scalar(kDemoCounter), {0x41, 0x01, 0x05}}, 4},  // read-only
        {{demo_scalar(kDemoMode), {0x02, 0x01, 0x09}}, 3},     // not one of its values
        {{oid("1.3.6.1.4.1.1206.4.2.99.1.99.0"), {0x02, 0x01, 0x01}}, 2},
    };
    for (const Case& c : cases) {
        sample.set("demoByte.0", "1");
        const Field_Answer answer = serve(snmp_message(
            0xA3, 8, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x07}}, c.refused, {demo_scalar(kDemoGauge), {0x42, 0x01, 0x07}}}));
        EXPECT_EQ(answer.error_status, c.status) << hex_text(c.refused.oid);
        EXPECT_EQ(answer.error_index, 2u);
        EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x01}) << hex_text(c.refused.oid);
        EXPECT_TRUE(sample.instance("demoGauge.0").value.empty());
    }
}

TEST_F(Field_Request, AnErrorAnswerRepeatsTheRequestsBindings) {
    // RFC 1157: the answer is the request with the error status and index
    // filled in; without its bindings a manager cannot read it.
    const std::vector<Binding_Bytes> get = {{demo_scalar(kDemoByte), {0x05, 0x00}},
                                            {oid("1.3.6.1.4.1.1206.4.2.99.1.99.0"), {0x05, 0x00}}};
    EXPECT_EQ(build_answer(stmf, serve(snmp_message(0xA0, 9, 0, 0, get)), nullptr).bytes(),
              snmp_message(0xA2, 9, 2, 2, get));

    const std::vector<Binding_Bytes> set = {{demo_scalar(kDemoByte), {0x02, 0x02, 0x01, 0x2C}}};
    EXPECT_EQ(build_answer(stmf, serve(snmp_message(0xA3, 10, 0, 0, set)), nullptr).bytes(),
              snmp_message(0xA2, 10, 3, 1, set));

    const std::vector<Binding_Bytes> past_the_end = {{oid("2.1"), {0x05, 0x00}}};
    EXPECT_EQ(build_answer(stmf, serve(snmp_message(0xA1, 11, 0, 0, past_the_end)), nullptr).bytes(),
              snmp_message(0xA2, 11, 2, 1, past_the_end));
}

TEST_F(Field_Request, ARequestRefusedByItsChecksIsAnsweredWithAnEmptyBindingList) {
    Bytes request = snmp_message(0xA0, 3, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}});
    request[13] = 0x99;  // no PDU type
    const Bytes answer = build_answer(stmf, serve(request), nullptr).bytes();
    ASSERT_GE(answer.size(), 2u);
    EXPECT_EQ(Bytes(answer.end() - 2, answer.end()), (Bytes{0x30, 0x00}));
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

TEST_F(Field_Request, AGetNextFromAnyIdentifierAnswersTheNextInstanceInOrder) {
    struct Case {
        const char* from;
        const char* next;  // empty: past the last instance
    };
    const Case cases[] = {
        {"1.3.6.1.4.1.1206.4.2.99.1.99.1.0", "demoSignalIndex.1"},  // no such scalar: the table after it
        {"1.3.6.1.4.1.1206.4.2.99.1.1.0.5", "demoByte.0"},          // below an instance
        {"1.3.6.1.4.1.1206.4.2.99.1.1", "demoInteger.0"},           // the leaf itself
        {"1.3.6.1.4.1.1206.4.2.99.1.4.7", "demoOctets.0"},          // past the scalar's only instance
        {"1.3.6.1.4.1.1206.4.2.99.2.1.2.8", "demoSignalLabel.1"},   // the last row of a column
        {"1.3.6.1.4.1.1206.4.2.99.3.1.3.1.9", "demoDetectorOccupancy.2.1"},
        {"1.3.6.1.4.1.1206.4.2.98", "demoInteger.0"},              // a node the MIB does not have
        {"1.0", "dynObjNumber.1.1"},                               // before everything
        {"1.3.6.1.4.1.1206.4.2.99.3.1.4.2.4", ""},
        {"2.5", ""},
    };
    for (const Case& c : cases) {
        const Field_Answer answer = serve(snmp_message(0xA1, 5, 0, 0, {{oid(c.from), {0x05, 0x00}}}));
        if (*c.next == '\0') {
            EXPECT_EQ(answer.error_status, 2u) << c.from;
            EXPECT_EQ(answer.error_index, 1u) << c.from;
            continue;
        }
        EXPECT_EQ(answer.error_status, 0u) << c.from;
        ASSERT_EQ(answer.record.objects.size(), 1u);
        EXPECT_EQ(answer.record.objects[0].name, c.next) << c.from;
    }
    EXPECT_NE(trace.find("\nGetting next object past 2.5: Could not find next object!\n"), std::string::npos);
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

TEST_F(Field_Request, AFieldDeviceWithACommunityDiscardsEveryOther) {
    settings.set_community("secret");
    const Bytes byte_7 = {0x02, 0x01, 0x07};
    const Field_Answer other = serve(snmp_message(0xA3, 3, 0, 0, {{demo_scalar(kDemoByte), byte_7}}, "Orchid"));
    EXPECT_EQ(other.kind, Answer_Kind::none);
    EXPECT_NE(trace.find(carry_out_text::kDiscarded), std::string::npos);
    EXPECT_TRUE(sample.instance("demoByte.0").value.empty());  // nothing carried out

    const Field_Answer own = serve(snmp_message(0xA3, 4, 0, 0, {{demo_scalar(kDemoByte), byte_7}}, "secret"));
    EXPECT_EQ(own.kind, Answer_Kind::set);
    EXPECT_EQ(own.error_status, 0u);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x07});
    EXPECT_NE(trace.find("The community name is valid\n"), std::string::npos);

    settings.set_community("");  // back to answering every community
    EXPECT_EQ(serve(snmp_message(0xA0, 5, 0, 0, {{demo_scalar(kDemoByte), {0x05, 0x00}}}, "public")).kind,
              Answer_Kind::get);
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
