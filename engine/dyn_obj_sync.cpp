// DynObjSync: the definition of dynamic object n (N objects and an owner
// text) goes into the device's dynObj table as five SNMP Sets:
//   1 dynObjStatus.n.1 = 4            (destroy the entry in use)
//   2 dynObjStatus.n.k = 2, k = 1..N  (create each row, not in service)
//   3 dynObjVariable.n.k = the k-th object's identifier
//   4 dynObjOwner.n.k = the owner text
//   5 dynObjStatus.n.k = 1            (each row in service)
// The responses are handled like any other; nothing waits for them.
#include "engine/dyn_obj_sync.h"

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "base/process_locks.h"
#include "codec/oid_forms.h"
#include "dynobj/dynamic_object.h"
#include "engine/quorvan_engine.h"
#include "tree/iso_tree.h"

namespace {

constexpr const char* kProtocol = "SNMP";
constexpr const char* kClass = "Class B";
constexpr const char* kDestroy = "4";
constexpr const char* kNotInService = "2";
constexpr const char* kActive = "1";

std::string row_name(const char* column, int32_t number, int k) {
    return std::string(column) + "." + std::to_string(number) + "." + std::to_string(k);
}

// The owned texts behind one request's C record.
struct Request_Texts {
    std::vector<std::string> names;
    std::vector<std::string> values;
};

}  // namespace

std::chrono::milliseconds dyn_obj_sync::pause() {
    if (const char* text = std::getenv(kPauseVariable); text != nullptr && *text != '\0') {
        char* end = nullptr;
        const long ms = std::strtol(text, &end, 10);
        if (end != nullptr && *end == '\0' && ms >= 0 && ms <= 60000) return std::chrono::milliseconds(ms);
    }
    return std::chrono::seconds(1);
}

int32_t Quorvan::DynObjSync(Message_Request& request, QV_DisplayCallback display, QV_EditCallback edit) {
    if (request.community == nullptr || request.community[0] == '\0' || request.address == 0 ||
        request.dyn_obj_number < 1 || request.dyn_obj_number > 13)
        return -1;
    if (!mib_.has_dynamic_objects()) {
        std::lock_guard hold(display_lock());
        if (display != nullptr) display(dynobj_text::kNoTable);
        return -1;
    }
    const int32_t n = request.dyn_obj_number;
    const int count = request.object_count;
    if (count < 1 || count > dyn_obj_sync::kMostObjects) return -1;
    std::vector<std::string> objects;
    for (int k = 0; k < count; ++k) {
        if (request.object_names[k] == nullptr) return -1;
        objects.emplace_back(request.object_names[k]);
    }
    std::string owner = request.values[0] != nullptr ? request.values[0] : "";
    if (owner.size() > dyn_obj_sync::kMostOwner) owner.resize(dyn_obj_sync::kMostOwner);

    // The record each Set goes out in; the caller's own texts stay as they are.
    Message_Request sent = request;
    sent.protocol = const_cast<char*>(kProtocol);
    sent.class_name = const_cast<char*>(kClass);
    if (sent.group_address != 0) sent.group_address = 1;
    sent.get = sent.get_next = sent.type4 = sent.type5 = 0;
    sent.set = 1;
    sent.dynamic_object = 0;
    sent.normal_snmp = 1;
    sent.dyn_obj_number = 0;
    sent.reserved = 0;

    auto send = [&](const Request_Texts& texts, uint8_t type, uint8_t keep = 0) {
        sent.object_count = static_cast<int32_t>(texts.names.size());
        for (size_t k = 0; k < texts.names.size(); ++k) {
            sent.object_names[k] = const_cast<char*>(texts.names[k].c_str());
            sent.values[k] = const_cast<char*>(texts.values[k].c_str());
            sent.value_types[k] = type;
        }
        SendData(sent, display, edit, keep);
    };
    auto rows = [&](const char* column, auto value_of) {
        Request_Texts texts;
        for (int k = 1; k <= count; ++k) {
            texts.names.push_back(row_name(column, n, k));
            texts.values.push_back(value_of(k));
        }
        return texts;
    };

    send({{row_name(dynobj_column::kStatus, n, 1)}, {kDestroy}}, QV_TYPE_INTEGER);
    std::this_thread::sleep_for(dyn_obj_sync::pause());
    send(rows(dynobj_column::kStatus, [](int) { return std::string(kNotInService); }), QV_TYPE_INTEGER);
    std::this_thread::sleep_for(dyn_obj_sync::pause());

    std::vector<std::string> identifiers;
    {
        auto hold = mib_.tree().read_lock();
        for (const std::string& name : objects) {
            const ISO_Object* node = mib_.tree().find_by_name(name);
            if (node == nullptr) return -1;
            // Written 1.3.6...: the value encoder combines the first two arcs
            // itself, so a text starting with the combined octet (43.6...)
            // would name another object.
            identifiers.push_back(dotted_from_tree(tree_form_of(*node)));
        }
    }
    send(rows(dynobj_column::kVariable, [&](int k) { return identifiers[k - 1]; }), QV_TYPE_OBJECT_IDENTIFIER);
    std::this_thread::sleep_for(dyn_obj_sync::pause());
    send(rows(dynobj_column::kOwner, [&](int) { return owner; }), QV_TYPE_DISPLAY_TEXT);
    std::this_thread::sleep_for(dyn_obj_sync::pause());
    // The last Set's outcome is kept, for a caller that waits for the device.
    send(rows(dynobj_column::kStatus, [](int) { return std::string(kActive); }), QV_TYPE_INTEGER, 1);

    // The caller's record is left as the last Set went out, its own texts
    // aside: the request id, the flags and the count N.
    request.request_id = sent.request_id;
    request.group_address = sent.group_address;
    request.get = request.get_next = request.type4 = request.type5 = 0;
    request.set = 1;
    request.dynamic_object = 0;
    request.normal_snmp = 1;
    request.dyn_obj_number = 0;
    request.reserved = 0;
    request.object_count = count;
    return 0;
}
