#include "engine/c_records.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "datalink/pmpp_exception.h"
#include "engine/c_text.h"

namespace {
std::string text_of(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

// Writes into a caller's buffer of QV_DYN_TEXT_SIZE bytes, cut to fit.
void copy_out(char* buffer, std::string_view text) {
    const size_t length = std::min(text.size(), size_t{QV_DYN_TEXT_SIZE} - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}
}  // namespace

Request_Record record_from(const Message_Request& request) {
    Request_Record record;
    record.protocol = text_of(request.protocol);
    record.class_name = text_of(request.class_name);
    record.community = text_of(request.community);
    record.request_id = request.request_id;
    record.address = request.address;
    record.group_address = request.group_address;
    record.get = request.get;
    record.get_next = request.get_next;
    record.set = request.set;
    record.type4 = request.type4;
    record.type5 = request.type5;
    record.dynamic_object = request.dynamic_object;
    record.normal_snmp = request.normal_snmp;
    record.dyn_obj_number = request.dyn_obj_number;
    record.reserved = request.reserved;
    record.edit_byte_stream = request.edit_byte_stream;
    const int32_t count = std::clamp<int32_t>(request.object_count, 0, QV_MAX_OBJECTS);
    for (int32_t i = 0; i < count; ++i)
        record.objects.push_back({text_of(request.object_names[i]), text_of(request.values[i]), request.value_types[i]});
    return record;
}

void store_sent_frame(const Sent_Frame& frame, Encoded_Frame& record) {
    if (frame.octets.size() > sizeof record.frame) throw InvalidLengthException(pmpp_error::kSentFrameTooLong);
    std::copy(frame.octets.begin(), frame.octets.end(), record.frame);
    for (size_t i = 0; i < pmpp::kFieldPositionCount; ++i)
        record.positions[i] = static_cast<uint16_t>(frame.positions[i]);
}

void fill_node_info(const Node_Facts& facts, Node_Info& info) {
    Node_Info filled{};
    const size_t length = std::min(facts.instance_text.size(), sizeof(filled.instance) - 1);
    std::memcpy(filled.instance, facts.instance_text.data(), length);
    filled.value_type = facts.value_type;
    filled.neg_lower = facts.neg_lower;
    filled.neg_upper = facts.neg_upper;
    filled.lower = facts.lower;
    filled.upper = facts.upper;

    const std::string_view sources[] = {facts.syntax, facts.access, facts.status, facts.further,
                                        facts.oid,    facts.value,  facts.name};
    char* copies[std::size(sources)] = {};
    try {
        for (size_t i = 0; i < std::size(sources); ++i) copies[i] = c_text(sources[i]);
    } catch (...) {
        for (char* copy : copies) std::free(copy);
        throw;
    }
    filled.syntax = copies[0];
    filled.access = copies[1];
    filled.status = copies[2];
    filled.further = copies[3];
    filled.oid = copies[4];
    filled.value = copies[5];
    filled.name = copies[6];
    info = filled;
}

void fill_column_index(const Column_Index& index, uint8_t& count, char* names, uint16_t* counts) {
    count = static_cast<uint8_t>(index.index_names.size());
    size_t used = strnlen(names, QV_INDEX_NAMES_SIZE - 1);
    for (const std::string& name : index.index_names) {
        const std::string line = name + "\n";
        const size_t room = QV_INDEX_NAMES_SIZE - 1 - used;
        const size_t length = std::min(line.size(), room);
        std::memcpy(names + used, line.data(), length);
        used += length;
    }
    names[used] = '\0';
    std::copy(index.instance_counts.begin(), index.instance_counts.end(), counts);
}

void fill_dyn_obj_list(const Dyn_Obj_Listing& listing, char* names, char* owners, char* values, uint8_t* syntaxes) {
    copy_out(names, listing.names);
    copy_out(owners, listing.owners);
    copy_out(values, listing.values);
    std::copy(listing.value_types.begin(), listing.value_types.end(), syntaxes);
}
