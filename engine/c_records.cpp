#include "engine/c_records.h"

#include <algorithm>

#include "datalink/pmpp_exception.h"

namespace {
std::string text_of(const char* text) { return text != nullptr ? std::string(text) : std::string(); }
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
