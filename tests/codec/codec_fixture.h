// A sample tree with an STMF over it, and requests built the way the send
// path builds them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/dynamic_objects.h"
#include "codec/error_state.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "dynobj/dyn_obj_table.h"
#include "tests/support/fixture_text.h"
#include "tests/support/sample_tree.h"

class Codec : public ::testing::Test {
protected:
    Codec() : stmf(sample.tree(), &dynamic_objects) { table.initialize(sample.tree()); }

    // Rows 1.. of dynamic object n name the objects, owned by `owner`, in use.
    void define(uint8_t n, const std::vector<std::string>& objects, const std::string& owner = "tester") {
        ISO_Tree& tree = sample.tree();
        for (size_t k = 1; k <= objects.size(); ++k) {
            const std::string row = std::to_string(n) + "." + std::to_string(k);
            sample.set("dynObjVariable." + row, ISO_Tree::dotted_oid(tree.find_by_name(objects[k - 1])));
            sample.set("dynObjStatus." + row, "1");
            sample.instance("dynObjOwner." + row).value.assign(owner.begin(), owner.end());
        }
    }

    Message_Content build_dynamic(uint8_t type, uint8_t n, std::vector<Request_Object> values = {}) {
        Request_Record record = request(type, {});
        record.protocol = "STMP";
        record.dynamic_object = 1;
        record.dyn_obj_number = n;
        record.objects = std::move(values);
        auto hold = sample.tree().write_lock();
        Message_Content message;
        message.build_from_request(record, &dynamic_objects, sample.tree());
        return message;
    }

    static Request_Record request(uint8_t type, std::vector<std::string> names, int32_t id = 1,
                                  const char* protocol = "SNMP") {
        Request_Record record;
        record.protocol = protocol;
        record.class_name = "Class B";
        record.community = "Orchid";
        record.request_id = id;
        record.address = 1;
        record.get = type == message_type::kGet;
        record.get_next = type == message_type::kGetNext;
        record.set = type == message_type::kSet;
        record.type4 = type == message_type::kDynamicDefinition;
        for (auto& name : names) record.objects.push_back({std::move(name), "", 2});
        return record;
    }

    Message_Content build(Request_Record record) {
        auto hold = sample.tree().write_lock();
        Message_Content message;
        message.build_from_request(record, nullptr, sample.tree());
        return message;
    }

    Bytes encode(const Message_Content& message, std::string* trace = nullptr, uint32_t status = 0,
                 uint32_t index = 0) {
        STMF_Message out;
        stmf.encode(out, message, trace, status, index);
        return out.bytes();
    }

    Sample_Tree sample;
    Dyn_Obj_Table table;
    Dyn_Obj_Table_Objects dynamic_objects{table};
    STMF stmf;
};

#define EXPECT_FIXTURE(text, file) EXPECT_EQ(compare_with_fixture(text, file), "")
