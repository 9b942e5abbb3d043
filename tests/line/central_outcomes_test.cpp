// What the central station records for answers that do not answer its
// request: hand-made frames on the line, each the smallest answer that shows
// the fault, and the outcome and tree values read back through the exports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Central_Outcomes = Line_Test;

Frame tlv(uint8_t tag, const Frame& content) {
    Frame out{tag, static_cast<uint8_t>(content.size())};
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

Frame operator+(Frame a, const Frame& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Frame integer(int64_t value) {
    Frame content;
    do {
        content.insert(content.begin(), static_cast<uint8_t>(value & 0xFF));
        value >>= 8;
    } while (value != 0 || content.front() >= 0x80);
    return tlv(0x02, content);
}

// Standard and NEMA-relative identifiers of the demo MIB's scalars.
const Frame kNema = {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36};
Frame root_oid(uint8_t scalar) { return kNema + Frame{0x04, 0x02, 0x63, 0x01, scalar, 0x00}; }
Frame nema_oid(uint8_t scalar) { return {0x04, 0x02, 0x63, 0x01, scalar, 0x00}; }
constexpr uint8_t kDemoInteger = 1;
constexpr uint8_t kDemoByte = 2;

Frame binding(const Frame& oid, const Frame& value) { return tlv(0x30, tlv(0x06, oid) + value); }

Frame snmp_answer(int64_t id, uint8_t status, uint8_t index, const std::vector<Frame>& bindings,
                  bool with_list = true) {
    Frame list;
    for (const Frame& b : bindings) list = list + b;
    Frame pdu = integer(id) + integer(status) + integer(index);
    if (with_list) pdu = pdu + tlv(0x30, list);
    return tlv(0x30, integer(0) + tlv(0x04, {'O', 'r', 'c', 'h', 'i', 'd'}) + tlv(0xA2, pdu));
}

std::string tree_value(const char* name) {
    Node_Info info{};
    if (GetNodeInfo(name, &info) == -1) return "?";
    std::string value = info.value != nullptr ? info.value : "";
    for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
        std::free(text);
    return value;
}

Binding object(const std::string& name) { return {name, "", 0}; }

// Answers the request on the line with the PDU, in a frame from the address
// the request went to.
void answer(const Pty_Pair& line, const Frame& request, const Frame& pdu) {
    ASSERT_GT(request.size(), 4u);
    line.write(frame_around(Frame{request[1], request[2], request[3]} + pdu));
}

TEST_F(Central_Outcomes, AnAnswerThatDoesNotAnswerTheRequestIsRecordedAndStoresNothing) {
    struct Case {
        const char* title;
        Request_Plan request;
        std::function<Frame(int32_t id)> pdu;
        int32_t result, status, index;
    };
    const Request_Plan snmp_get{Kind::get, {object("demoInteger.0")}};
    const Request_Plan snmp_get_two{Kind::get, {object("demoInteger.0"), object("demoByte.0")}};
    const Request_Plan stmp_get{Kind::get, {object("demoInteger.0")}, true};
    const Request_Plan stmp_get_two{Kind::get, {object("demoByte.0"), object("demoInteger.0")}, true};
    const Frame five = integer(5);
    const Case cases[] = {
        {"an STMP error response records its status and index", stmp_get_two,
         [](int32_t) { return Frame{0xE0, 0x02, 0x02}; }, 0, 2, 2},
        {"an STMP answer to an SNMP Get", snmp_get,
         [&](int32_t) { return Frame{0xCE} + binding(root_oid(kDemoInteger), five); }, 0x1, 0, 0},
        {"a dynamic object's answer to an SNMP Get", snmp_get, [](int32_t) { return Frame{0xC2, 0x05}; }, 0x1, 0, 0},
        {"an STMP Set response to a Get", stmp_get, [](int32_t) { return Frame{0xD0}; }, 0x2, 0, 0},
        {"an STMP Get response of another object", stmp_get,
         [&](int32_t) { return Frame{0xC0} + binding(nema_oid(kDemoByte), five); }, 0x80, 0, 0},
        {"fewer bindings than the request", snmp_get_two,
         [&](int32_t id) { return snmp_answer(id, 0, 0, {binding(root_oid(kDemoInteger), five)}); }, 0x80, 0, 0},
        {"a success without bindings", snmp_get,
         [](int32_t id) { return snmp_answer(id, 0, 0, {}, false); }, 0x80, 0, 0},
        {"an SNMP error answer without bindings", snmp_get,
         [](int32_t id) { return snmp_answer(id, 2, 1, {}, false); }, 0, 2, 1},
        {"an SNMP error answer with the request's bindings", snmp_get_two,
         [](int32_t id) {
             return snmp_answer(id, 2, 2, {binding(root_oid(kDemoInteger), {0x05, 0x00}),
                                           binding(root_oid(kDemoByte), {0x05, 0x00})});
         },
         0, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const int32_t id = send(c.request);
        ASSERT_NE(id, -1);
        const Frame request = read_frame(central_line, std::chrono::seconds(5));
        answer(central_line, request, c.pdu(id));
        const Outcome out = outcome(id);
        EXPECT_EQ(out.result, c.result) << out.message;
        EXPECT_EQ(out.status, c.status);
        EXPECT_EQ(out.index, c.index);
        EXPECT_EQ(tree_value("demoInteger.0"), "0");
        EXPECT_EQ(tree_value("demoByte.0"), "0");
    }
    const std::string display = central_display();
    // Trace texts end their lines.
    EXPECT_EQ(display.find("not updating values7E"), std::string::npos) << display;
    EXPECT_EQ(display.find("End of PDU7E"), std::string::npos) << display;
}

TEST_F(Central_Outcomes, SnmpAnswersAreMatchedByRequestId) {
    const int32_t first = send({Kind::get, {object("demoInteger.0")}});
    const Frame first_request = read_frame(central_line, std::chrono::seconds(5));
    const int32_t second = send({Kind::get, {object("demoByte.0")}});
    const Frame second_request = read_frame(central_line, std::chrono::seconds(5));

    // An answer whose id is nobody's is dropped, charged to no request.
    answer(central_line, first_request, snmp_answer(int64_t{first} + 1000, 0, 0,
                                                    {binding(root_oid(kDemoInteger), integer(77))}));
    const std::string dropped = "matches no request waiting for one; the response is dropped.";
    for (int wait = 0; wait < 100 && central_display().find(dropped) == std::string::npos; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_NE(central_display().find(dropped), std::string::npos) << central_display();

    // The later request answered first.
    answer(central_line, second_request, snmp_answer(second, 0, 0, {binding(root_oid(kDemoByte), integer(9))}));
    answer(central_line, first_request, snmp_answer(first, 0, 0, {binding(root_oid(kDemoInteger), integer(5))}));
    const Outcome second_outcome = outcome(second);
    const Outcome first_outcome = outcome(first);
    EXPECT_EQ(second_outcome.result, 0) << second_outcome.message;
    EXPECT_EQ(second_outcome.value, "9");
    EXPECT_EQ(first_outcome.result, 0) << first_outcome.message;
    EXPECT_EQ(first_outcome.value, "5");
    EXPECT_EQ(tree_value("demoInteger.0"), "5");
}

}  // namespace
