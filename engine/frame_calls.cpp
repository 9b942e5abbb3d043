// PMPP framing for tools that carry NTCIP messages without an engine of
// their own (quorvan-gateway): the station's own framer, no error injection.
#include <algorithm>
#include <span>

#include "base/random_source.h"
#include "datalink/pmpp.h"
#include "datalink/raw_message.h"
#include "quorvan.h"

namespace {
constexpr const char* kClassB = "Class B";  // the class whose frames carry the IPI C1
}

QV_API int32_t PmppFrame(const uint8_t* information, uint16_t length, int32_t address, uint8_t* frame,
                         uint16_t* frame_length) {
    if ((information == nullptr && length > 0) || frame == nullptr || frame_length == nullptr) return -1;
    try {
        Random_Source unused;  // drawn from only by injected faults
        const PMPP pmpp(unused);
        const Sent_Frame sent = pmpp.encode(std::span(information, length), address, 0, kClassB);
        if (sent.octets.size() > *frame_length) return -1;
        std::copy(sent.octets.begin(), sent.octets.end(), frame);
        *frame_length = static_cast<uint16_t>(sent.octets.size());
        return 0;
    } catch (...) {  // the framer's exceptions and bad_alloc alike
        return -1;
    }
}

QV_API int32_t PmppUnframe(const uint8_t* frame, uint16_t length, int32_t* address, uint8_t* information,
                           uint16_t* information_length) {
    if (frame == nullptr || address == nullptr || information == nullptr || information_length == nullptr) return -1;
    try {
        Random_Source unused;
        const PMPP pmpp(unused);
        Raw_Message message;
        message.octets.assign(frame, frame + length);
        const Decode_Result result = pmpp.decode(message);
        if ((result.flags & Decode_Result::kNoInformation) != 0) return -1;
        if (message.information.size() > *information_length) return -1;
        std::copy(message.information.begin(), message.information.end(), information);
        *information_length = static_cast<uint16_t>(message.information.size());
        *address = message.address.station();
        return 0;
    } catch (...) {  // the framer's exceptions and bad_alloc alike
        return -1;
    }
}
