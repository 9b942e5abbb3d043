// A sample tree with an STMF over it, and requests built the way the send
// path builds them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/error_state.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "tests/support/fixture_text.h"
#include "tests/support/sample_tree.h"

class Codec : public ::testing::Test {
protected:
    Codec() : stmf(sample.tree(), nullptr) {}

    static Request_Record request(uint8_t type, std::vector<std::string> names, int32_t id = 1) {
        Request_Record record;
        record.protocol = "SNMP";
        record.class_name = "Class B";
        record.community = "Orchid";
        record.request_id = id;
        record.address = 1;
        record.get = type == message_type::kGet;
        record.get_next = type == message_type::kGetNext;
        record.set = type == message_type::kSet;
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
    STMF stmf;
};

#define EXPECT_FIXTURE(text, file) EXPECT_EQ(compare_with_fixture(text, file), "")
