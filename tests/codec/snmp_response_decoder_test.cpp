#include "codec/snmp_response_decoder.h"

#include "codec/activity_log.h"
#include "codec/stmf_exception.h"
#include "tests/codec/codec_fixture.h"
#include "tests/codec/snmp_messages.h"

namespace {

constexpr uint8_t kDemoByte = 2, kDemoTemperature = 3, kDemoName = 6, kDemoObjectId = 7;

class Snmp_Response : public Codec {
protected:
    // Sends the request (it enters the error-state list) and decodes the answer.
    std::string answer(const Message_Content& request, const Bytes& response) {
        errors.append(request.request_id(), true);
        std::string trace;
        try {
            stmf.decode(response, &request, &trace, Role::central, &errors, nullptr);
        } catch (const STMF_Exception& e) {
            thrown = e.what();
        }
        errors.mark_complete(request.request_id());
        return trace;
    }
    int32_t flags(int32_t id) { return errors.error_word(id); }
    std::string value_of(const std::string& name) {
        return std::string(sample.instance(name).value.begin(), sample.instance(name).value.end());
    }

    Error_State_List errors;
    std::string thrown;
};

TEST_F(Snmp_Response, AGetResponseIsValidatedAndStored) {
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0", "demoName.0"}, 5));
    const Bytes response = snmp_message(0xA2, 5, 0, 0,
                                        {{demo_scalar(kDemoByte), {0x02, 0x01, 0x07}},
                                         {demo_scalar(kDemoName), {0x04, 0x03, 'a', 'b', 'c'}}});
    const std::string trace = answer(asked, response);
    EXPECT_EQ(thrown, "");
    EXPECT_FIXTURE(trace, "codec/snmp_get_response.txt");
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x07});
    EXPECT_EQ(value_of("demoName.0"), "abc");
    EXPECT_EQ(flags(5), 0);
    EXPECT_EQ(errors.find(5)->response_value, "abc");  // the last value, as the station shows it
}

TEST_F(Snmp_Response, AnErrorStatusIsRecordedAndNothingStored) {
    sample.set("demoByte.0", "1");
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0"}, 6));
    const std::string trace =
        answer(asked, snmp_message(0xA2, 6, 2, 1, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x07}}}));
    EXPECT_FIXTURE(trace, "codec/snmp_error_response.txt");
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x01});
    EXPECT_EQ(errors.find(6)->error_status, 2);
    EXPECT_EQ(errors.find(6)->error_index, 1);
    EXPECT_EQ(flags(6), 0);
}

TEST_F(Snmp_Response, ACommunityThatDiffersIsReportedAndStillStored) {
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0"}, 7));
    const std::string trace =
        answer(asked, snmp_message(0xA2, 7, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x09}}}, "Public"));
    EXPECT_NE(trace.find("Invalid Community Name!  The Community Name on the response was different from the "
                         "Request!\nThis could be a protocol error!\n"),
              std::string::npos);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x09});
}

TEST_F(Snmp_Response, AnotherRequestIdIsReportedAndStillStored) {
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0"}, 8));
    const std::string trace =
        answer(asked, snmp_message(0xA2, 99, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x0A}}}));
    EXPECT_NE(trace.find("Apparent Error!  Request ID on Response was different from the last Request!\n"
                         "Attempting to continue!\n"),
              std::string::npos);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x0A});
}

// An error answer may leave its bindings out; a success must answer every
// object asked for.
TEST_F(Snmp_Response, AResponseWithoutBindingsEndsThePdu) {
    const Message_Content refused = build(request(message_type::kGet, {"demoByte.0"}, 9));
    std::string trace = answer(refused, snmp_message(0xA2, 9, 2, 1, {}));
    const std::string end = "Variable binding of objects:\nEnd of PDU\n";
    EXPECT_EQ(trace.substr(trace.size() - end.size()), end);
    EXPECT_EQ(trace.find("validation"), std::string::npos);
    EXPECT_EQ(flags(9), 0);

    const Message_Content empty = build(request(message_type::kGet, {"demoByte.0"}, 10));
    trace = answer(empty, snmp_message(0xA2, 10, 0, 0, {}));
    EXPECT_EQ(thrown, "The response did not contain the same objects as the request!");
    EXPECT_EQ(flags(10), ObjectMismatch);
}

TEST_F(Snmp_Response, FewerBindingsThanTheRequestStoreNothing) {
    sample.set("demoByte.0", "1");
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0", "demoName.0"}, 11));
    answer(asked, snmp_message(0xA2, 11, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x07}}}));
    EXPECT_EQ(thrown, "The response did not contain the same objects as the request!");
    EXPECT_EQ(flags(11), ObjectMismatch);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x01});
}

TEST_F(Snmp_Response, MalformedMessagesAreRefusedAfterTheirTrace) {
    const Message_Content get = build(request(message_type::kGet, {"demoByte.0"}, 1));
    const Bytes good = snmp_message(0xA2, 1, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x07}}});
    auto with = [&](size_t at, uint8_t byte) {
        Bytes bytes = good;
        bytes[at] = byte;
        return bytes;
    };
    const struct {
        Bytes response;
        const char* error;
        const char* trace_end;
    } cases[] = {
        {with(2, 0x04), "The message contained an invalid byte sequence!",
         "Protocol Error!  An SNMP Version number was expected!\n"},
        {with(4, 0x01), "The message contained an invalid version number!",
         "Invalid Version Number!  This software only supports SNMP Version 1!\n"},
        {with(5, 0x02), "The message contained an invalid byte sequence!",
         "Protocol Error!  An SNMP Community Name was expected!\n"},
        {with(13, 0xA4), "An attempt was made to encode a TRAP, but this is not implemented!",
         "SNMP Trap -- not implemented yet!\n"},
        {with(13, 0xA7), "An invalid message type was requested!", "ASCII translation: Orchid\n"},
        {with(15, 0x04), "The message contained an invalid byte sequence!",
         "Protocol Error!  An SNMP Request ID was expected!\n"},
        {with(18, 0x04), "The message contained an invalid byte sequence!",
         "Protocol Error!  An SNMP Error Status was expected!\n"},
        {with(20, 0x80), "An invalid negative value was received!", "Value = -128\n"},
        {with(21, 0x04), "The message contained an invalid byte sequence!",
         "Protocol Error!  An SNMP Error Index was expected!\n"},
        {with(24, 0x02), "The message contained an invalid byte sequence!",
         "Protocol Error!  An unexpected type was encountered.  Only a SEQUENCE\nor OBJECT IDENTIFIER may exist at "
         "this location."},
        {with(26, 0x02), "A Sequence was expected but not detected!", "Definition:\n"},
        {Bytes(good.begin(), good.end() - 2), "Invalid length", "PDU is too small.\nAborting decode\n"},
    };
    for (const auto& c : cases) {
        thrown.clear();
        const std::string trace = answer(get, c.response);
        EXPECT_EQ(thrown, c.error) << hex_text(c.response);
        const std::string end = c.trace_end;
        ASSERT_GE(trace.size(), end.size()) << trace;
        EXPECT_EQ(trace.substr(trace.size() - end.size()), end) << trace;
    }
}

TEST_F(Snmp_Response, AFirstByteThatIsNoSequence) {
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0"}, 1));
    Bytes response = snmp_message(0xA2, 1, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x07}}});
    response[0] = 0x31;
    // The codec's entry takes it for no known format at all.
    EXPECT_EQ(answer(asked, response),
              "  31   : Unknown Format!\nThe PDU can not be reconciled with the previously sent message.\n");
    EXPECT_EQ(thrown, "");
    // The SNMP decoder itself refuses it.
    std::string trace;
    Activity_Log log(sample.tree(), &trace);
    Message_Content received;
    auto hold = sample.tree().write_lock();
    EXPECT_THROW(decode_snmp_response(response, received, asked, log, &errors, sample.tree()), DecodingException);
    EXPECT_EQ(trace,
              "Protocol Error!  An SNMP SEQUENCE was expected\nThe PDU can not be reconciled with the previously sent "
              "message.\n");
}

TEST_F(Snmp_Response, ASecondObjectThatDiffersStopsEveryValue) {
    sample.set("demoByte.0", "1");
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0", "demoTemperature.0"}, 11));
    const std::string trace = answer(asked, snmp_message(0xA2, 11, 0, 0,
                                                           {{demo_scalar(kDemoByte), {0x02, 0x01, 0x07}},
                                                            {demo_scalar(kDemoName), {0x04, 0x01, 'x'}}}));
    EXPECT_EQ(thrown, "The response did not contain the same objects as the request!");
    EXPECT_NE(trace.find("The objects in the response do not match to the objects in the request.\nValidation "
                         "failed.  Values will not be updated in memory.\n"),
              std::string::npos);
    EXPECT_EQ(flags(11), ObjectMismatch);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x01});
}

TEST_F(Snmp_Response, AGetNextStoresIntoTheNextInstance) {
    const Message_Content asked = build(request(message_type::kGetNext, {"demoByte.0"}, 12));
    const std::string trace =
        answer(asked, snmp_message(0xA2, 12, 0, 0, {{demo_scalar(kDemoTemperature), {0x02, 0x01, 0xF6}}}));
    EXPECT_EQ(thrown, "");
    EXPECT_EQ(sample.instance("demoTemperature.0").value, Bytes{0xF6});
    EXPECT_EQ(errors.find(12)->response_value, "1.3.6.1.4.1.1206.4.2.99.1.3.0");
    EXPECT_EQ(trace.find("The response is appropriate"), std::string::npos);
    EXPECT_EQ(trace.substr(trace.size() - 26), "Values have been updated.\n");
}

TEST_F(Snmp_Response, AGetNextOutsideTheTreeIsAnUnknownObject) {
    const Message_Content asked = build(request(message_type::kGetNext, {"demoDetectorVolume.2.4"}, 13));
    const Bytes outside = {0x2B, 0x06, 0x01, 0x06, 0x03, 0x01};
    const std::string trace = answer(asked, snmp_message(0xA2, 13, 0, 0, {{outside, {0x02, 0x01, 0x01}}}));
    EXPECT_NE(trace.find("The object was not found using proper encoding rules!\nThis could be a GET_NEXT response "
                         "however;will consider this is an unknown OID.  Continuing\n"),
              std::string::npos);
    EXPECT_NE(trace.find("Error finding instance in tree, not setting value\n"), std::string::npos);
    EXPECT_EQ(errors.find(13)->response_value, "1.3.6.1.6.3.1");
}

TEST_F(Snmp_Response, ASnmpAnswerToAnStmpRequestIsAMismatchAndNotStored) {
    sample.set("demoByte.0", "1");
    Message_Content asked = build(request(message_type::kGet, {"demoByte.0"}, 14));
    asked.set_encoding_style(style::kStmp);
    const std::string trace =
        answer(asked, snmp_message(0xA2, 14, 0, 0, {{demo_scalar(kDemoByte), {0x02, 0x01, 0x03}}}));
    EXPECT_NE(trace.find("PROTOCOL ERROR!! -- The response message was not in the same format (i.e., SNMP vs STMP) "
                         "as the Request.\nValues will not be updated in memory.\n"),
              std::string::npos);
    EXPECT_EQ(flags(14), ProtocolMismatch);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x01});
}

TEST_F(Snmp_Response, AValueOfAnotherSyntaxIsNotStored) {
    sample.set("demoByte.0", "1");
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0"}, 15));
    const std::string trace =
        answer(asked, snmp_message(0xA2, 15, 0, 0, {{demo_scalar(kDemoByte), {0x04, 0x01, 'x'}}}));
    EXPECT_NE(trace.find("Protocol Error!  The received SYNTAX did not agree with the stored\nSYNTAX for this "
                         "object!\nAttempting to continue..."),
              std::string::npos);
    EXPECT_NE(trace.find("Inconsistent Syntaxes.  Not updating the value for\ndemoByte.0\n"), std::string::npos);
    EXPECT_EQ(sample.instance("demoByte.0").value, Bytes{0x01});
}

TEST_F(Snmp_Response, AnUnknownObjectOutsideAGetResponseHasNoObject) {
    const Message_Content asked = build(request(message_type::kGet, {"demoByte.0"}, 16));
    const Bytes outside = {0x2B, 0x06, 0x01, 0x06, 0x03, 0x01};
    // Its value is left undecoded, and is then no binding.
    std::string trace = answer(asked, snmp_message(0xA0, 16, 0, 0, {{outside, {0x05, 0x00}}}));
    EXPECT_EQ(thrown, "A Sequence was expected but not detected!");
    EXPECT_NE(trace.find("The object was not found using proper encoding rules!\n"), std::string::npos);
    thrown.clear();
    const Message_Content again = build(request(message_type::kGet, {"demoByte.0"}, 17));
    trace = answer(again, snmp_message(0xA0, 17, 0, 0, {{outside, {}}}));
    EXPECT_EQ(thrown, "A program error occured while accessing an object!");
    EXPECT_EQ(flags(17), NoInstance);
}

}  // namespace
