#include "datalink/unframed.h"

#include "datalink/information_faults.h"
#include "datalink/ipi.h"

std::optional<Sent_Frame> Unframed::frame_message(std::span<const uint8_t> information, int32_t, int32_t,
                                                  std::string_view, const Frame_Faults& faults) const {
    Sent_Frame sent;
    sent.octets.assign(information.begin(), information.end());
    if (faults.armed) inject_information_errors(faults, sent.octets, random_);
    sent.positions[pmpp::kClosingFlagPosition] = sent.octets.empty() ? 0 : sent.octets.size() - 1;
    return sent;
}

Decode_Result Unframed::decode(Raw_Message& message) const {
    Decode_Result result;
    if (message.octets.empty()) {
        result.flags = Decode_Result::kNoInformation;
        return result;
    }
    message.information = message.octets;
    result.ipi = IPI::kNtcipClassB;
    return result;
}

bool Unframed::add_received_octet(Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const {
    if (frame.octets.size() < kLongestDatagram) frame.octets.push_back(octet);
    frame.time_stamp = time_stamp;
    return false;
}
