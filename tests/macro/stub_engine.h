// A macro engine without a station: it keeps what the run wrote, answers
// the send calls from a scripted line (each request gets the next id and the
// outcome set for it) and never waits.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "macro/macro_engine.h"

struct Stub_Outcome {
    int32_t flags = 0;
    std::string message;
    int32_t status = 0;
    int32_t index = 0;
    std::string value;
};

// A request as it was sent, its texts copied.
struct Sent_Request {
    std::string protocol, class_name, community;
    int32_t address = 0, group_address = 0, get = 0, get_next = 0, set = 0, type5 = 0, object_count = 0;
    std::vector<std::string> names, values;
    std::vector<uint8_t> types;
};

class Stub_Engine : public Macro_Engine {
public:
    std::string written;
    std::vector<std::string> answers;  // for inuser, in order
    std::vector<Sent_Request> sent;
    std::map<int32_t, Stub_Outcome> outcomes;  // by request id
    std::map<std::string, Node_Record> nodes;
    std::map<std::string, std::string> objects;
    int32_t next_id = 0;
    int32_t slept = 0;

    void output(std::string_view text) override { written += text; }
    std::optional<std::string> user_input(std::string_view prompt) override {
        written += "[prompt] ";
        written += prompt;
        written += "\n";
        if (answers.empty()) return std::nullopt;
        std::string answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    int32_t send_data(Message_Request& r) override {
        Sent_Request s;
        s.protocol = r.protocol != nullptr ? r.protocol : "";
        s.class_name = r.class_name != nullptr ? r.class_name : "";
        s.community = r.community != nullptr ? r.community : "";
        s.address = r.address;
        s.group_address = r.group_address;
        s.get = r.get;
        s.get_next = r.get_next;
        s.set = r.set;
        s.type5 = r.type5;
        s.object_count = r.object_count;
        const int32_t count = r.object_count < 0 ? 0 : r.object_count > QV_MAX_OBJECTS ? QV_MAX_OBJECTS : r.object_count;
        for (int32_t i = 0; i < count; ++i) {
            s.names.emplace_back(r.object_names[i] != nullptr ? r.object_names[i] : "");
            s.values.emplace_back(r.values[i] != nullptr ? r.values[i] : "");
            s.types.push_back(r.value_types[i]);
        }
        sent.push_back(s);
        r.request_id = next_id++;
        return r.request_id;
    }
    void wait_for_outcome(int32_t) override {}
    int32_t get_error(int32_t id, std::string& message, int32_t& status, int32_t& index) override {
        const auto it = outcomes.find(id);
        if (it == outcomes.end()) {
            message.clear();
            return -1;
        }
        message = it->second.message;
        status = it->second.status;
        index = it->second.index;
        return it->second.flags;
    }
    int32_t get_response_value(int32_t id, std::string& value) override {
        const auto it = outcomes.find(id);
        if (it == outcomes.end()) return -1;
        value = it->second.value;
        return 0;
    }
    int32_t clear_error_state(int32_t id) override { return outcomes.erase(id) == 1 ? 0 : -1; }
    int32_t calc_crc(const std::vector<uint8_t>& bytes, uint16_t& crc) override {
        // FCS-16 of RFC 1662, complemented, first octet high.
        uint16_t fcs = 0xFFFF;
        for (uint8_t byte : bytes) {
            fcs ^= byte;
            for (int bit = 0; bit < 8; ++bit) fcs = (fcs & 1) != 0 ? static_cast<uint16_t>((fcs >> 1) ^ 0x8408) : static_cast<uint16_t>(fcs >> 1);
        }
        fcs = static_cast<uint16_t>(~fcs);
        crc = static_cast<uint16_t>(((fcs & 0xFF) << 8) | (fcs >> 8));
        return 0;
    }
    int32_t get_node_info(const std::string& name, Node_Record& record) override {
        const auto it = nodes.find(name);
        if (it == nodes.end()) return -1;
        record = it->second;
        return 0;
    }
    std::optional<std::string> get_node_objects(const std::string& name) override {
        const auto it = objects.find(name);
        if (it == objects.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> get_next_instance(const std::string& name) override {
        if (name == "last.0") return std::nullopt;
        return name + ".next";
    }
    void beep(int32_t, int32_t) override { written += "[beep]\n"; }
    void sleep(int32_t milliseconds) override { slept += milliseconds; }
    bool stop_requested() const override { return false; }
};
