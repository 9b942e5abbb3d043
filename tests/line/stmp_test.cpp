// STMP between a central station and the field device over the line: a
// dynamic object defined with DynObjSync, then read and written in one short
// message each; the identifier-value forms; the device's error responses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using Stmp = Line_Test;

Binding object(const std::string& name) { return {name, "", 0}; }
Binding value(const std::string& text, uint8_t type) { return {"", text, type}; }

const std::vector<std::string> kDefinition = {"demoInteger.0", "demoName.0", "demoSignalState.3"};

// A GetDynObjList of the central station's tree.
struct Listing {
    int32_t rows = -1;
    std::string names, owners, values;
};

Listing listing(int32_t number) {
    std::vector<char> names(QV_DYN_TEXT_SIZE), owners(QV_DYN_TEXT_SIZE), values(QV_DYN_TEXT_SIZE);
    std::vector<uint8_t> types(QV_MAX_DYN_ENTRIES);
    int32_t count = 0;
    Listing out;
    out.rows = GetDynObjList(number, names.data(), owners.data(), values.data(), types.data(), &count);
    out.names = names.data();
    out.owners = owners.data();
    out.values = values.data();
    return out;
}

class Dyn_Stmp : public Stmp {
protected:
    void SetUp() override {
        setenv("QUORVAN_DYNOBJ_PAUSE_MS", "20", 1);
        start_field();
    }
    void TearDown() override { unsetenv("QUORVAN_DYNOBJ_PAUSE_MS"); }

    // DynObjSync of number n, its five Sets carried to the device and answered.
    int32_t define(int32_t n, const std::vector<std::string>& objects, std::string owner = "tester") {
        std::string protocol = "SNMP", class_name = "Class B", community = "Orchid";
        std::vector<std::string> names = objects;
        Message_Request request{};
        request.protocol = protocol.data();
        request.class_name = class_name.data();
        request.community = community.data();
        request.address = 1;
        request.dyn_obj_number = n;
        request.object_count = static_cast<int32_t>(names.size());
        for (size_t k = 0; k < names.size(); ++k) request.object_names[k] = names[k].data();
        request.values[0] = owner.data();
        int32_t result = -2;
        std::thread sync([&] { result = DynObjSync(&request, nullptr, nullptr); });
        for (int i = 0; i < 5; ++i) {
            carry_request();
            carry_answer();
        }
        sync.join();
        EXPECT_EQ(outcome(request.request_id).result, 0);
        EXPECT_EQ(request.object_count, static_cast<int32_t>(objects.size()));
        return result;
    }
};

TEST_F(Dyn_Stmp, ADefinitionWrittenWithDynObjSyncIsReadAndWrittenWithStmp) {
    ASSERT_EQ(define(2, kDefinition), 0);
    // The device's own dynObj table, row by row.
    for (size_t k = 1; k <= kDefinition.size(); ++k) {
        SCOPED_TRACE(k);
        const std::string row = ".2." + std::to_string(k);
        EXPECT_EQ(round_trip({Kind::get, {object("dynObjStatus" + row)}}).value, "1");
        EXPECT_EQ(round_trip({Kind::get, {object("dynObjOwner" + row)}}).value, "tester");
        Node_Info info{};
        ASSERT_NE(GetNodeInfo(kDefinition[k - 1].c_str(), &info), -1);
        EXPECT_EQ(round_trip({Kind::get, {object("dynObjVariable" + row)}}).value, info.oid);
        for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
            std::free(text);
    }
    EXPECT_EQ(listing(2).names, "demoInteger.0\ndemoName.0\ndemoSignalState.3");

    // A dynamic Set changes the three values in the device...
    const Outcome set = round_trip({Kind::set,
                                    {value("7", QV_TYPE_INTEGER), value("Elm", QV_TYPE_DISPLAY_TEXT),
                                     value("2", QV_TYPE_INTEGER)},
                                    true, 1, 2});
    EXPECT_EQ(set.result, 0) << set.message;
    EXPECT_EQ(round_trip({Kind::get, {object("demoName.0")}}).value, "Elm");
    EXPECT_EQ(round_trip({Kind::get, {object("demoSignalState.3")}}).value, "2");

    // ... and a dynamic Get brings them back into the central station's tree.
    ASSERT_EQ(SetInstanceValue("demoInteger.0", "0", 0), 0);
    ASSERT_EQ(SetInstanceValue("demoName.0", "x", 0), 0);
    const Outcome get = round_trip({Kind::get, {}, true, 1, 2});
    EXPECT_EQ(get.result, 0) << get.message;
    EXPECT_EQ(listing(2).values, "7\nElm\n2\n");
    EXPECT_NE(central_display().find("Lo order nibble indicates: Dynamic Object Number 2"), std::string::npos);
}

TEST_F(Dyn_Stmp, DynObjSyncRefusesWithoutSendingAndStopsAtAnUnknownName) {
    std::string protocol = "SNMP", class_name = "Class B", community = "Orchid", empty, name = "demoInteger.0";
    struct Refusal {
        const char* title;
        std::string* community;
        int32_t address;
        int32_t number;
    } refusals[] = {{"empty community", &empty, 1, 1}, {"address 0", &community, 0, 1},
                    {"number 0", &community, 1, 0},     {"number 14", &community, 1, 14}};
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.title);
        Message_Request request{};
        request.protocol = protocol.data();
        request.class_name = class_name.data();
        request.community = refusal.community->data();
        request.address = refusal.address;
        request.dyn_obj_number = refusal.number;
        request.object_count = 1;
        request.object_names[0] = name.data();
        EXPECT_EQ(DynObjSync(&request, nullptr, nullptr), -1);
        EXPECT_TRUE(read_frame(central_line, std::chrono::milliseconds(200)).empty());
    }
    // An unknown name: the first two Sets went out, nothing after them.
    std::string unknown = "noSuchObject.0";
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = 1;
    request.dyn_obj_number = 3;
    request.object_count = 2;
    request.object_names[0] = name.data();
    request.object_names[1] = unknown.data();
    EXPECT_EQ(DynObjSync(&request, nullptr, nullptr), -1);
    EXPECT_FALSE(read_frame(central_line, std::chrono::milliseconds(500)).empty());
    EXPECT_FALSE(read_frame(central_line, std::chrono::milliseconds(500)).empty());
    EXPECT_TRUE(read_frame(central_line, std::chrono::milliseconds(300)).empty());
}

}  // namespace

// Identifier-value forms and the device's refusals, each as the central
// station decodes it.
TEST_F(Dyn_Stmp, IdentifierValueRequestsAndErrorResponses) {
    const Outcome get = round_trip({Kind::get, {object("demoInteger.0"), object("demoName.0")}, true});
    EXPECT_EQ(get.result, 0) << get.message;
    const Outcome set = round_trip({Kind::set, {{"demoName.0", "Oak", QV_TYPE_DISPLAY_TEXT}}, true});
    EXPECT_EQ(set.result, 0) << set.message;
    EXPECT_EQ(round_trip({Kind::get, {object("demoName.0")}}).value, "Oak");

    struct Refusal {
        const char* title;
        Request_Plan plan;
        const char* decoded;
    } refusals[] = {
        {"undefined dynamic object", {Kind::get, {}, true, 1, 9}, "NO SUCH NAME Error"},
        {"read-only object", {Kind::set, {{"demoCounter.0", "5", QV_TYPE_INTEGER}}, true}, "READ ONLY Error"},
        {"value of another syntax", {Kind::set, {{"demoName.0", "Pine", QV_TYPE_DISPLAY_TEXT}, {"demoSignalState.3", "abc", QV_TYPE_DISPLAY_TEXT}}, true},
         "BAD VALUE Error"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.title);
        forget_central_display();
        const int32_t id = send(refusal.plan);
        if (refusal.plan.dyn_obj != 0 && id == -1) continue;  // the central station knows no definition either
        carry_request();
        const Frame answer = carry_answer();
        ASSERT_FALSE(answer.empty());
        outcome(id);
        EXPECT_NE(central_display().find(refusal.decoded), std::string::npos) << central_display();
    }
    // A refused Set changes nothing, not even the objects before the refused one.
    EXPECT_EQ(round_trip({Kind::get, {object("demoName.0")}}).value, "Oak");
}

TEST_F(Dyn_Stmp, InjectedFaultsSpoilStmpAnswersToo) {
    inject("bad-crc");
    const Outcome out = round_trip({Kind::get, {object("demoInteger.0")}, true});
    EXPECT_NE(out.result & 0x8000, 0) << out.message;
}

namespace {

// A .dyn file of three records programs three dynamic objects into the
// device, one after another, and is saved back as it was.
TEST_F(Dyn_Stmp, ADynFileOfThreeRecordsIsLoadedIntoTheDeviceAndSavedBack) {
    const std::string file =
        "2\r\nTMC\r\nOrchid\r\n1\r\n0\r\n0\r\n3\r\ndemoInteger.0\r\ndemoName.0\r\ndemoSignalState.3\r\n\r\n"
        "5\r\n!Owner\r\nOrchid\r\n1\r\n0\r\n0\r\n1\r\ndemoByte.0\r\n\r\n"
        "13\r\nlab\r\nOrchid\r\n1\r\n0\r\n0\r\n2\r\ndemoGauge.0\r\ndemoAddress.0\r\n\r\n";
    {
        std::ofstream out("three.dyn", std::ios::binary);
        out << file;
    }
    int32_t refused = -2;
    std::thread load([&] { refused = DynObjLoadFile("three.dyn", nullptr, nullptr); });
    for (int i = 0; i < 15; ++i) {
        carry_request();
        carry_answer();
    }
    load.join();
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(round_trip({Kind::get, {object("dynObjStatus.5.1")}}).value, "1");
    EXPECT_EQ(round_trip({Kind::get, {object("dynObjStatus.13.2")}}).value, "1");
    // The device's owner rows get the empty text; the owner stays in the file.
    EXPECT_EQ(round_trip({Kind::get, {object("dynObjOwner.2.1")}}).value, "");
    EXPECT_EQ(listing(13).names, "demoGauge.0\ndemoAddress.0");

    ASSERT_EQ(DynObjSaveFile("back.dyn"), 0);
    std::ifstream in("back.dyn", std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved, file);
}

TEST_F(Dyn_Stmp, ARefusedFileSendsNothing) {
    {
        std::ofstream out("bad.dyn", std::ios::binary);
        out << "2\r\nTMC\r\nOrchid\r\n1\r\n0\r\n0\r\n27\r\n";
    }
    EXPECT_EQ(DynObjLoadFile("bad.dyn", nullptr, nullptr), -1);
    EXPECT_EQ(DynObjLoadFile("missing.dyn", nullptr, nullptr), -1);
    EXPECT_TRUE(read_frame(central_line, std::chrono::milliseconds(300)).empty());
}

}  // namespace

namespace {

// Requests the central station does not write itself, as frames: the NEMA
// form, Get-next, and a Set without reply.
TEST_F(Dyn_Stmp, NemaFormsGetNextAndASetWithoutReply) {
    // demoInteger.0 from the NEMA node: 04 02 63 01 01 00.
    const Frame nema_oid = {0x06, 0x06, 0x04, 0x02, 0x63, 0x01, 0x01, 0x00};
    struct Case {
        const char* title;
        Frame information;
        uint8_t answer_header;  // 0: no answer
    } cases[] = {
        {"get from NEMA", {0x80}, 0xC0},
        {"get-next from NEMA", {0xB0}, 0xC0},
        {"set from NEMA", {0x90, 0x30, 0x0B}, 0xD0},
        {"set without reply", {0xA0, 0x30, 0x0B}, 0},
        {"get of an unknown object", {0x8E, 0x06, 0x03, 0x2B, 0x06, 0x07}, 0xEE},
        {"get without an identifier", {0x8E}, 0xEE},
    };
    cases[0].information.insert(cases[0].information.end(), nema_oid.begin(), nema_oid.end());
    cases[1].information.insert(cases[1].information.end(), nema_oid.begin(), nema_oid.end());
    for (Case* with_value : {&cases[2], &cases[3]}) {
        with_value->information.insert(with_value->information.end(), nema_oid.begin(), nema_oid.end());
        with_value->information.insert(with_value->information.end(),
                                       {0x02, 0x01, static_cast<uint8_t>(with_value == &cases[2] ? 9 : 10)});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const size_t offset = field->output_size();
        Frame body = {0x05, 0x13, 0xC1};
        body.insert(body.end(), c.information.begin(), c.information.end());
        field_line.write(frame_around(body));
        const Frame answer = take_answer(std::chrono::milliseconds(c.answer_header != 0 ? 3000 : 800));
        if (c.answer_header == 0) {
            EXPECT_TRUE(answer.empty());
            EXPECT_TRUE(field->wait_for("A Set No Reply is carried out and never answered.", offset));
        } else {
            ASSERT_GT(answer.size(), 5u);
            EXPECT_EQ(answer[4], c.answer_header);
        }
    }
    // The Set without reply was carried out all the same.
    EXPECT_EQ(round_trip({Kind::get, {object("demoInteger.0")}}).value, "10");
}

}  // namespace
