// Encoding and decoding ten-object SNMP messages, with the English trace and
// without it: messages per second (best / median of five rounds).
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "codec/error_state.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "field/carry_out.h"
#include "field/field_device_settings.h"
#include "bench/ten_values.h"
#include "tests/support/sample_tree.h"

namespace {

const std::vector<std::string> kObjects = {"demoInteger.0", "demoByte.0",  "demoTemperature.0", "demoMode.0",
                                           "demoOctets.0",  "demoName.0",  "demoObjectId.0",    "demoGauge.0",
                                           "demoTicks.0",   "demoAddress.0"};

Request_Record request_of(int flags) {
    Request_Record record;
    record.protocol = "SNMP";
    record.class_name = "Class B";
    record.community = "Orchid";
    record.request_id = 1;
    record.address = 1;
    record.get = flags == 1;
    record.set = flags == 2;
    for (const auto& name : kObjects) record.objects.push_back({name, "", 2});
    return record;
}

}  // namespace

int main() {
    Sample_Tree sample;
    ISO_Tree& tree = sample.tree();
    set_ten_values(sample);
    const STMF stmf(tree, nullptr);

    struct Kind {
        const char* name;
        int flags;  // 1 Get, 2 Set, 0 Get response
    };
    constexpr size_t kCount = 20000;
    std::printf("Ten-object SNMP messages (best / median of 5 rounds of %zu):\n", kCount);
    for (const Kind kind : {Kind{"Get", 1}, Kind{"Set", 2}, Kind{"Get response", 0}}) {
        Request_Record record = request_of(kind.flags);
        Message_Content message;
        {
            auto hold = tree.write_lock();
            message.build_from_request(record, nullptr, tree);
        }
        for (const bool traced : {false, true}) {
            std::string trace;
            const auto rate = calls_per_second(
                [&] {
                    STMF_Message out;
                    trace.clear();
                    stmf.encode(out, message, traced ? &trace : nullptr);
                },
                kCount);
            const std::string what = std::string("encode ") + kind.name + (traced ? ", with English" : "");
            print_rate(what.c_str(), rate);
        }
    }

    // Decoding: a Get response in the central role, and Get and Set requests in the field role.
    Request_Record get = request_of(1);
    Message_Content get_message;
    Message_Content response_message;
    {
        auto hold = tree.write_lock();
        get_message.build_from_request(get, nullptr, tree);
        Request_Record answer = request_of(0);
        response_message.build_from_request(answer, nullptr, tree);
    }
    STMF_Message response;
    stmf.encode(response, response_message, nullptr);
    STMF_Message get_request;
    stmf.encode(get_request, get_message, nullptr);
    Request_Record set = request_of(2);
    Message_Content set_message;
    {
        auto hold = tree.write_lock();
        set_message.build_from_request(set, nullptr, tree);
    }
    STMF_Message set_request;
    stmf.encode(set_request, set_message, nullptr);

    const Field_Device_Settings field_settings;
    const Carry_Out carry_out(field_settings);
    for (const bool traced : {false, true}) {
        std::string trace;
        Error_State_List errors;
        const auto response_rate = calls_per_second(
            [&] {
                errors.append(1, false);
                trace.clear();
                stmf.decode(response.bytes(), &get_message, traced ? &trace : nullptr, Role::central, &errors,
                            nullptr);
                errors.clear_oldest(1);
            },
            kCount);
        print_rate(traced ? "decode Get response, with English" : "decode Get response", response_rate);
        for (const auto& [name, bytes] :
             {std::pair{"field Get", &get_request.bytes()}, std::pair{"field Set", &set_request.bytes()}}) {
            const auto rate = calls_per_second(
                [&] {
                    trace.clear();
                    stmf.decode(*bytes, nullptr, traced ? &trace : nullptr, Role::field, nullptr, &carry_out);
                },
                kCount);
            const std::string what = std::string("decode and answer ") + name + (traced ? ", with English" : "");
            print_rate(what.c_str(), rate);
        }
    }
    return 0;
}
