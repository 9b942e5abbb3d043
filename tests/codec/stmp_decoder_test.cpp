#include "codec/stmp_decoder.h"

#include "codec/ber.h"
#include "codec/oid_forms.h"
#include "codec/stmf_exception.h"
#include "tests/codec/codec_fixture.h"
#include "tree/value_text.h"

namespace {

const Bytes kDemoByteNema = {0x04, 0x02, 0x63, 0x01, 0x02, 0x00};
const Bytes kDemoNameNema = {0x04, 0x02, 0x63, 0x01, 0x06, 0x00};

class Stmp_Decoder : public Codec {
protected:
    STMF::Decoded receive(const Message_Content& asked, const Bytes& response) {
        trace.clear();
        thrown.clear();
        try {
            return stmf.decode(response, &asked, &trace, Role::central, nullptr, nullptr);
        } catch (const STMF_Exception& e) {
            thrown = e.what();
        }
        return {};
    }
    bool traced(const std::string& text) const { return trace.find(text) != std::string::npos; }
    Message_Content stmp_get(std::vector<std::string> names, uint8_t encoding = 14) {
        Message_Content message = build(request(message_type::kGet, std::move(names), 1, "STMP"));
        message.set_object_encoding(encoding);
        return message;
    }
    static Bytes tlv(uint8_t tag, const Bytes& content) { return wrap(tag, content); }

    std::string trace;
    std::string thrown;
};

TEST_F(Stmp_Decoder, AGetResponseFromTheNemaNode) {
    const Message_Content asked = stmp_get({"demoByte.0"}, 0);
    Bytes binding = tlv(0x06, kDemoByteNema);
    append(binding, tlv(0x02, {0x2A}));
    make_sequence(binding);
    binding.insert(binding.begin(), 0xC0);
    receive(asked, binding);
    EXPECT_EQ(thrown, "");
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x2A});
    EXPECT_FIXTURE(trace, "codec/stmp_get_response.txt");
}

TEST_F(Stmp_Decoder, AGetResponseOfTwoObjectsFromTheRootAnsweringANemaRequest) {
    const Message_Content asked = stmp_get({"demoByte.0", "demoName.0"}, 0);
    Bytes first = tlv(0x06, standard_from_tree(tree_from_nema(kDemoByteNema)));
    append(first, tlv(0x02, {0x03}));
    make_sequence(first);
    Bytes second = tlv(0x06, standard_from_tree(tree_from_nema(kDemoNameNema)));
    append(second, tlv(0x04, {'o', 'k'}));
    make_sequence(second);
    Bytes both = first;
    append(both, second);
    make_sequence(both);
    both.insert(both.begin(), 0xCE);
    receive(asked, both);
    EXPECT_EQ(thrown, "");
    EXPECT_TRUE(traced("GET RESPONSE Message is valid for the previous GET REQUEST.\n"));
    EXPECT_FALSE(traced("Dynamic Object Number of response"));
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x03});
    EXPECT_EQ(sample.instance("demoName.0").value, (Bytes{'o', 'k'}));
}

TEST_F(Stmp_Decoder, AGetResponseToASetIsRefused) {
    sample.set("demoByte.0", "1");
    Message_Content asked = build(request(message_type::kSet, {"demoByte.0"}, 1, "STMP"));
    Bytes binding = tlv(0x06, standard_from_tree(tree_from_nema(kDemoByteNema)));
    append(binding, tlv(0x02, {0x09}));
    make_sequence(binding);
    binding.insert(binding.begin(), 0xCE);
    receive(asked, binding);
    EXPECT_EQ(thrown, "An invalid response was received to the last request!");
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x01});
}

TEST_F(Stmp_Decoder, ADynamicGetResponseIsStoredWithItsLowerBoundBack) {
    define(2, {"demoTemperature.0", "demoName.0", "demoCounter.0"});
    const Message_Content asked = build_dynamic(message_type::kGet, 2);
    // -40 + 0x2D = 5; "hi"; a four-byte counter.
    receive(asked, {0xC2, 0x2D, 0x02, 'h', 'i', 0x00, 0x00, 0x01, 0x00});
    EXPECT_EQ(thrown, "");
    EXPECT_EQ(sample.instance("demoTemperature.0").value, Bytes{0x05});
    EXPECT_EQ(sample.instance("demoName.0").value, (Bytes{'h', 'i'}));
    EXPECT_EQ(sample.instance("demoCounter.0").value, (Bytes{0x01, 0x00}));
    EXPECT_FIXTURE(trace, "codec/stmp_dynamic_get_response.txt");

    receive(asked, {0xC2, 0x2D, 0x02, 'h', 'i', 0x00, 0x00, 0x01, 0x00, 0x77});
    EXPECT_TRUE(traced("Extra Bytes detected at end of Message.\n"));
}

TEST_F(Stmp_Decoder, AShortDynamicGetResponse) {
    define(2, {"demoTemperature.0", "demoName.0"});
    const Message_Content asked = build_dynamic(message_type::kGet, 2);
    for (const Bytes& response : {Bytes{0xC2, 0x2D, 0x02, 'h'}, Bytes{0xC2, 0x2D}, Bytes{0xC2}, Bytes{0xC2, 0x2D, 0x82, 0x01}}) {
        receive(asked, response);
        EXPECT_EQ(thrown, "Unexpected end of message!") << hex_text(response);
        EXPECT_EQ(trace.substr(trace.size() - 27), "Unexpected End of Message!\n");
    }
    const Message_Content undefined = build(request(message_type::kGet, {"demoByte.0"}, 1, "STMP"));
    receive(undefined, {0xC9, 0x01});
    EXPECT_EQ(thrown, "The response did not contain the same objects as the request!");
    EXPECT_TRUE(traced("Dynamic Object Number of response is \n"));
}

// A dynamic object's answer is checked against the request before any of
// its values is stored.
TEST_F(Stmp_Decoder, ADynamicAnswerToAnotherRequestStoresNothing) {
    define(2, {"demoTemperature.0"});
    define(3, {"demoByte.0"});
    const struct {
        const char* title;
        Message_Content asked;
        const char* thrown;
    } cases[] = {
        {"a Get of another dynamic object", build_dynamic(message_type::kGet, 3),
         "The response did not contain the same objects as the request!"},
        {"a dynamic Set of the object", build_dynamic(message_type::kSet, 2, {{"", "7", 2}}),
         "An invalid response was received to the last request!"},
        {"an SNMP Get", build(request(message_type::kGet, {"demoTemperature.0"}, 1, "SNMP")),
         "The response was not in the same format as the request!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        sample.instance("demoTemperature.0").value = Bytes{0x01};
        receive(c.asked, {0xC2, 0x2D});
        EXPECT_EQ(thrown, c.thrown);
        EXPECT_EQ(sample.instance("demoTemperature.0").value, Bytes{0x01});
    }
}

TEST_F(Stmp_Decoder, ErrorResponses) {
    const Message_Content asked = stmp_get({"demoByte.0", "demoName.0"});
    const STMF::Decoded decoded = receive(asked, {0xEE, 0x02, 0x02});
    EXPECT_EQ(decoded.stmp_error_status, 2);
    EXPECT_EQ(decoded.stmp_error_index, 2u);
    EXPECT_FIXTURE(trace, "codec/stmp_error_response.txt");

    receive(asked, {0xEE, 0x01, 0x00});
    EXPECT_TRUE(traced("A zero index should be given; the given index = 0\n\n"));
    EXPECT_FALSE(traced("invalid index"));
    receive(asked, {0xEE, 0x01, 0x01});
    EXPECT_TRUE(traced("A zero index should be given; the given index = 1\n    Protocol Error! The Response contained an "
                       "invalid index.\n\n"));
    receive(asked, {0xEE, 0x03, 0x05});
    EXPECT_TRUE(traced("The problem object was number 5 in the sequence.\n    Protocol Error! This is an invalid "
                       "response to the last sent message\n"));
    receive(asked, {0xEE, 0x05, 0x09});
    EXPECT_TRUE(traced("Request, this object is an INVALID REFERENCE!!\n"));
    receive(asked, {0xEE, 0x07, 0x01});
    EXPECT_TRUE(traced("the returned Error Number is undefined.\n"));
    EXPECT_TRUE(traced("Request, this object is the demoByte.0 object.\n"));

    Message_Content set = build(request(message_type::kSet, {"demoByte.0"}, 1, "STMP"));
    receive(set, {0xEE, 0x04, 0x01});
    EXPECT_TRUE(traced("READ ONLY Error - The Request PDU attempted to SET an object which\n"));
    EXPECT_TRUE(traced("  According to the\n      Request, this object is the demoByte.0 object.\n"));

    for (const Bytes& short_response : {Bytes{0xEE, 0x02}, Bytes{0xEE}, Bytes{0xEE, 0x02, 0x81}}) {
        receive(asked, short_response);
        EXPECT_EQ(thrown, "The STMP Error Response is invalid!");
        EXPECT_TRUE(traced("The STMP Error Response is not valid; it is missing bytes.\n"));
    }
}

TEST_F(Stmp_Decoder, SetResponsesRequestsTrapsAndUnknownTypes) {
    Message_Content set = build(request(message_type::kSet, {"demoByte.0"}, 1, "STMP"));
    receive(set, {0xDE});
    EXPECT_TRUE(traced("SET RESPONSE Message is valid for the previous SET REQUEST.\n"));
    EXPECT_FALSE(traced("Invalid PDU Information"));
    receive(set, {0xDE, 0x01});
    EXPECT_TRUE(traced("Protocol Error!  An Invalid PDU Information field was attached.\n"));

    const Message_Content get = stmp_get({"demoByte.0"});
    receive(get, {0x8E, 0x06, 0x01, 0x2B});
    EXPECT_TRUE(traced("Protocol Error!  A device should not request data from central!\nDecoding of this type is not "
                       "yet supported.\n"));
    receive(get, {0x9E});
    EXPECT_TRUE(traced("Protocol Error!  A device should not attempt to set data at central!\n"));
    receive(get, {0xFE});
    EXPECT_TRUE(traced("TRAPs have not yet been fully defined for STMP.\n"));
    receive(get, {0xCF, 0x01});
    EXPECT_EQ(thrown, "");
    EXPECT_EQ(trace.find("validation"), std::string::npos);
}

TEST_F(Stmp_Decoder, MalformedIdentifierValueResponses) {
    const Message_Content asked = stmp_get({"demoByte.0"});
    const struct {
        Bytes response;
        const char* error;
    } cases[] = {
        {{0xCE, 0x02, 0x01, 0x05}, "The message contained an invalid byte sequence!"},
        {{0xCE, 0x30, 0x03, 0x02, 0x01, 0x05}, "The message contained an invalid byte sequence!"},
        // An INTEGER where the identifier should be names no object.
        {{0xCE, 0x30, 0x05, 0x30, 0x03, 0x02, 0x01, 0x05}, "A program error occured while accessing an object!"},
        {{0xCE, 0x30, 0x09, 0x30, 0x03, 0x02, 0x01, 0x05}, "Invalid length"},
        {{0xCE, 0x30, 0x08, 0x30, 0x02, 0x06, 0x00, 0x02, 0x01, 0x05, 0x02}, "A Sequence was expected but not detected!"},
        {{0xCE}, "The message contained an invalid byte sequence!"},
        {{0xCE, 0x30, 0x80}, "Invalid Length field detected.  Can not decode!"},
    };
    for (const auto& c : cases) {
        receive(asked, c.response);
        EXPECT_EQ(thrown, c.error) << hex_text(c.response);
    }
}

}  // namespace
