// The saved dynamic object definitions of the working directory, kept in
// the file DynObjTable.dyn: what the CLI and the windows save to and load
// from a ".dyn" file of the user's choosing.
#include <filesystem>
#include <string>

#include "dynobj/dyn_file.h"
#include "engine/quorvan_engine.h"

namespace {

constexpr const char* kSavedFile = "DynObjTable.dyn";
constexpr const char* kSyncRefused = "Error in DynObjSync()!";

Dyn_Obj_Records saved_records() {
    Dyn_Obj_Records records;
    if (!std::filesystem::exists(kSavedFile)) return records;
    for (Dyn_Obj_Record& record : load_dyn_file(kSavedFile)) records[record.number] = std::move(record);
    return records;
}

void show(QV_DisplayCallback display, const std::string& text) {
    if (display != nullptr) display(text.c_str());
}

}  // namespace

int32_t Quorvan::DynObjKeepDefinition(const Message_Request& request) {
    Dyn_Obj_Record record;
    record.number = request.dyn_obj_number;
    record.owner = request.values[0] != nullptr ? request.values[0] : "";
    record.community = request.community != nullptr ? request.community : "";
    record.address = request.address;
    record.group = request.group_address != 0;
    record.edit = request.edit_byte_stream != 0;
    if (request.object_count < 0 || request.object_count > QV_MAX_OBJECTS) return -1;
    for (int32_t k = 0; k < request.object_count; ++k) {
        if (request.object_names[k] == nullptr) return -1;
        record.names.emplace_back(request.object_names[k]);
    }
    try {
        Dyn_Obj_Records records = saved_records();
        records[record.number] = record;
        save_dyn_file(kSavedFile, records);  // checks the record's limits first
    } catch (const Dyn_File_Exception&) {
        return -1;
    }
    return 0;
}

int32_t Quorvan::DynObjLoadFile(const char* path, QV_DisplayCallback display, QV_EditCallback edit) {
    if (path == nullptr) return -1;
    std::vector<Dyn_Obj_Record> loaded;
    Dyn_Obj_Records records;
    try {
        loaded = load_dyn_file(path);
        records = saved_records();
    } catch (const Dyn_File_Exception& failure) {
        show(display, failure.message());
        return -1;
    }
    int32_t refused = 0;
    std::string protocol = "SNMP", class_name = "Class B", no_owner;
    for (const Dyn_Obj_Record& record : loaded) {
        records[record.number] = record;
        // The owner stays in the saved definition; the device's owner rows get
        // the empty text.
        std::string community = record.community;
        std::vector<std::string> names = record.names;
        Message_Request request{};
        request.protocol = protocol.data();
        request.class_name = class_name.data();
        request.community = community.data();
        request.address = record.address;
        request.group_address = record.group ? 1 : 0;
        request.edit_byte_stream = record.edit ? 1 : 0;
        request.dyn_obj_number = record.number;
        request.object_count = static_cast<int32_t>(names.size());
        for (size_t k = 0; k < names.size(); ++k) request.object_names[k] = names[k].data();
        request.values[0] = no_owner.data();
        if (DynObjSync(request, display, edit) != 0) {
            show(display, kSyncRefused);
            ++refused;
        } else {
            // The device has taken the record in before the next one goes.
            GetError(request.request_id, nullptr, nullptr, nullptr);
            ClearErrorState(request.request_id);
        }
    }
    try {
        save_dyn_file(kSavedFile, records);
    } catch (const Dyn_File_Exception& failure) {
        show(display, failure.message());
        return -1;
    }
    return refused;
}

int32_t Quorvan::DynObjSaveFile(const char* path) {
    if (path == nullptr) return -1;
    try {
        save_dyn_file(path, saved_records());
    } catch (const Dyn_File_Exception&) {
        return -1;
    }
    return 0;
}
