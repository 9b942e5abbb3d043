// Ten-object STMP get responses, in the dynamic-object form and in the
// identifier-value form from the NEMA node: encode and decode, with the
// English trace and without it (best / median of five rounds).
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "codec/dynamic_objects.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "dynobj/dyn_obj_table.h"
#include "tests/support/sample_tree.h"

int main() {
    Sample_Tree sample;
    ISO_Tree& tree = sample.tree();
    Dyn_Obj_Table table;
    table.initialize(tree);
    const Dyn_Obj_Table_Objects dynamic_objects(table);
    const STMF stmf(tree, &dynamic_objects);

    const std::vector<std::pair<std::string, std::string>> objects = {
        {"demoInteger.0", "123456"}, {"demoByte.0", "200"},       {"demoTemperature.0", "-12"},
        {"demoMode.0", "2"},         {"demoOctets.0", "00 01 02 03"}, {"demoName.0", "51 75 6F 72 76 61 6E"},
        {"demoGauge.0", "4000000000"}, {"demoTicks.0", "8640000"}, {"demoAddress.0", "C0 A8 00 01"},
        {"demoCounter.0", ""}};
    for (size_t k = 1; k <= objects.size(); ++k) {
        const auto& [name, value] = objects[k - 1];
        if (!value.empty()) sample.set(name, value);
        sample.set("dynObjVariable.1." + std::to_string(k), ISO_Tree::dotted_oid(tree.find_by_name(name)));
        sample.set("dynObjStatus.1." + std::to_string(k), "1");
    }

    auto build = [&](bool dynamic, uint8_t type, uint8_t encoding) {
        Request_Record record;
        record.protocol = "STMP";
        record.class_name = "Class B";
        record.get = 1;
        if (dynamic) {
            record.dynamic_object = 1;
            record.dyn_obj_number = 1;
        } else {
            for (const auto& object : objects) record.objects.push_back({object.first, "", 2});
        }
        Message_Content message;
        auto hold = tree.write_lock();
        message.build_from_request(record, &dynamic_objects, tree);
        message.set_message_type(type);
        message.set_object_encoding(encoding);
        return message;
    };

    constexpr size_t kCount = 20000;
    std::printf("Ten-object STMP get responses (best / median of 5 rounds of %zu):\n", kCount);
    struct Form {
        const char* name;
        bool dynamic;
        uint8_t encoding;
    };
    for (const Form form : {Form{"dynamic object", true, 1}, Form{"identifiers from the NEMA node", false, 0}}) {
        const Message_Content response = build(form.dynamic, message_type::kGetResponse, form.encoding);
        const Message_Content request = build(form.dynamic, message_type::kGet, form.encoding);
        STMF_Message encoded;
        stmf.encode(encoded, response, nullptr);
        for (const bool traced : {false, true}) {
            std::string trace;
            const std::string suffix = std::string(", ") + form.name + (traced ? ", with English" : "");
            print_rate(("encode" + suffix).c_str(), calls_per_second(
                                                       [&] {
                                                           STMF_Message out;
                                                           trace.clear();
                                                           stmf.encode(out, response, traced ? &trace : nullptr);
                                                       },
                                                       kCount));
            print_rate(("decode" + suffix).c_str(), calls_per_second(
                                                       [&] {
                                                           trace.clear();
                                                           stmf.decode(encoded.bytes(), &request,
                                                                       traced ? &trace : nullptr, Role::central,
                                                                       nullptr, nullptr);
                                                       },
                                                       kCount));
        }
    }
    return 0;
}
