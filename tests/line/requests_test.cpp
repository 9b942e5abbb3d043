// The central station's requests answered by the field device over the line.
#include <gtest/gtest.h>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Requests = Line_Test;

Binding object(const std::string& name) { return {name, "", 0}; }
Binding number(const std::string& name, const std::string& value) { return {name, value, QV_TYPE_INTEGER}; }
Binding text(const std::string& name, const std::string& value) { return {name, value, QV_TYPE_DISPLAY_TEXT}; }

struct Exchange {
    const char* title;
    Request_Plan request;
    int32_t result;
    int32_t status;
    const char* value;
    const char* message;
};

TEST_F(Requests, EveryRequestTypeIsAnsweredFromTheFieldDevicesTree) {
    start_field();
    const Exchange exchanges[] = {
        {"get a scalar", {Kind::get, {object("demoInteger.0")}}, 0, 0, "0", ""},
        {"get-next", {Kind::get_next, {object("demoInteger.0")}}, 0, 0, "1.3.6.1.4.1.1206.4.2.99.1.2.0", ""},
        {"get a table instance", {Kind::get, {object("demoSignalState.3")}}, 0, 0, "0", ""},
        {"get of two indices", {Kind::get, {object("demoDetectorVolume.2.4")}}, 0, 0, "0", ""},
        {"set a text", {Kind::set, {text("demoName.0", "Main Street")}}, 0, 0, "Main Street", ""},
        {"read the text back", {Kind::get, {object("demoName.0")}}, 0, 0, "Main Street", ""},
        {"set a negative number", {Kind::set, {number("demoTemperature.0", "-12")}}, 0, 0, "-12", ""},
        {"read the number back", {Kind::get, {object("demoTemperature.0")}}, 0, 0, "-12", ""},
        {"get of three objects", {Kind::get, {object("demoByte.0"), object("demoGauge.0"), object("demoAddress.0")}},
         0, 0, "0.0.0.0", ""},
        {"set of a read-only object", {Kind::set, {number("demoCounter.0", "5")}}, 0, 4, "", "SNMP Error: Read only object"},
    };
    for (const Exchange& exchange : exchanges) {
        SCOPED_TRACE(exchange.title);
        const Outcome out = round_trip(exchange.request);
        EXPECT_EQ(out.result, exchange.result) << out.message;
        EXPECT_EQ(out.status, exchange.status);
        EXPECT_EQ(out.value, exchange.value);
        EXPECT_EQ(out.message, exchange.message);
    }
}

TEST_F(Requests, ARowTheFieldDeviceDoesNotHaveIsNoSuchName) {
    field_dir.write("TreeCfg.ini",
                    "dynObjNumber = 13\ndynObjIndex = 16\ndemoSignalIndex = 2\ndemoDetectorGroup = 2\n"
                    "demoDetectorNumber = 4\n");
    start_field();
    const Outcome out = round_trip({Kind::get, {object("demoSignalState.5")}});
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.status, 2);
    EXPECT_EQ(out.index, 1);
    EXPECT_EQ(out.message, "SNMP Error: No such OID");
}

TEST_F(Requests, ARequestFailingTheWireChecksIsAnsweredWithGenErr) {
    start_field();
    ASSERT_NE(send({Kind::get, {object("demoInteger.0")}}), -1);
    const Frame request = read_frame(central_line, std::chrono::seconds(5));
    // 7E, address 05, control 13, IPI C1, then 30 LL 02 01 <version>.
    ASSERT_GT(request.size(), 12u);
    ASSERT_EQ(request[8], 0x00);
    Frame body(request.begin() + 1, request.end() - 3);
    body[7] = 0x01;  // SNMPv2c: not a version this device speaks
    const size_t offset = field->output_size();
    field_line.write(frame_around(body));
    const Frame answer = take_answer();
    ASSERT_FALSE(answer.empty()) << field->output();
    EXPECT_TRUE(field->wait_for("Received an error in the message decode\n", offset));
    // A Get response from the address it was asked at, in the community
    // "Failure", request id 0, genErr (5), and an empty binding list: the
    // request could not be read, so there are no bindings to repeat.
    const Frame expected = frame_around({0x05, 0x13, 0xC1, 0x30, 0x19, 0x02, 0x01, 0x00, 0x04, 0x07, 'F',  'a',
                                         'i',  'l',  'u',  'r',  'e',  0xA2, 0x0B, 0x02, 0x01, 0x00, 0x02, 0x01,
                                         0x05, 0x02, 0x01, 0x00, 0x30, 0x00});
    EXPECT_EQ(answer, expected);
}

}  // namespace
