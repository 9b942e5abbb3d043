#include "datalink/data_link_layer.h"

Data_Link_Layer::Data_Link_Layer(Random_Source& random, Diagnostic_Trace trace) : pmpp_(random, std::move(trace)) {}

std::optional<Sent_Frame> Data_Link_Layer::encode(int32_t link_type, std::span<const uint8_t> information,
                                                  int32_t address, int32_t group, std::string_view class_name,
                                                  const ErrorInjection* injection) const {
    switch (static_cast<Link_Type>(link_type)) {
        case Link_Type::pmpp: return pmpp_.encode(information, address, group, class_name, injection);
        default: return std::nullopt;
    }
}

Decode_Result Data_Link_Layer::decode(int32_t link_type, Raw_Message& message) const {
    switch (static_cast<Link_Type>(link_type)) {
        case Link_Type::pmpp: return pmpp_.decode(message);
        default: return {};
    }
}

bool Data_Link_Layer::add_received_octet(int32_t link_type, Raw_Message& frame, uint8_t octet,
                                         std::string_view time_stamp) const {
    switch (static_cast<Link_Type>(link_type)) {
        case Link_Type::pmpp: return pmpp_.add_received_octet(frame, octet, time_stamp);
        default: return false;
    }
}
