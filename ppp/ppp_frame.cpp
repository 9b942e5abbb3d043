#include "ppp/ppp_frame.h"

#include <algorithm>

#include "datalink/crc.h"
#include "datalink/hdlc_addr.h"
#include "datalink/ipi.h"
#include "datalink/octet_stuffing.h"
#include "datalink/pmpp_exception.h"
#include "datalink/pmpp_format.h"

namespace {

// Fault injection: the numbers its random choices are drawn from.
constexpr uint32_t kInvalidAddressRange = 0xFE;  // 0x00 to 0xFD
constexpr uint8_t kInvalidControlBase = 0x04;    // + random(251): never 0x03
constexpr uint32_t kInvalidControlRange = 251;
constexpr uint32_t kFcsOffsetRange = 5000;  // FCS + 1 + random(5000)

bool escaped(uint8_t octet) {
    return octet == pmpp::kFlag || octet == pmpp::kEscape || octet < ppp_frame::kFirstUnescapedControl;
}

void append_ppp_stuffed(Ppp_Bytes& out, std::span<const uint8_t> octets) {
    for (uint8_t octet : octets) {
        if (escaped(octet)) {
            out.push_back(pmpp::kEscape);
            out.push_back(static_cast<uint8_t>(octet ^ pmpp::kEscapeXor));
        } else {
            out.push_back(octet);
        }
    }
}

bool accepted_control(uint8_t control) {
    return std::find(pmpp::kControlsAccepted.begin(), pmpp::kControlsAccepted.end(), control) !=
           pmpp::kControlsAccepted.end();
}

}  // namespace

Ppp_Bytes encode_ppp_frame(std::span<const uint8_t> information, uint16_t protocol, const Ppp_Frame_Faults& faults,
                           const Random_Below& random) {
    const auto draw = [&](uint32_t n) { return random ? random(n) : 0u; };
    Ppp_Bytes content;
    content.reserve(information.size() + 8);
    content.push_back(faults.invalid_address ? static_cast<uint8_t>(draw(kInvalidAddressRange))
                                             : ppp_frame::kAllStations);
    content.push_back(faults.invalid_control ? static_cast<uint8_t>(kInvalidControlBase + draw(kInvalidControlRange))
                                             : ppp_frame::kUnnumberedInformation);
    content.push_back(static_cast<uint8_t>(protocol >> 8));
    content.push_back(static_cast<uint8_t>(protocol & 0xFF));
    content.insert(content.end(), information.begin(), information.end());
    if (faults.extra_byte) {
        content.push_back(pmpp::kExtraOctet);
    } else if (faults.remove_byte) {
        content.erase(content.begin() + draw(static_cast<uint32_t>(content.size())));
    }
    if (faults.change_byte && !content.empty()) ++content[draw(static_cast<uint32_t>(content.size()))];

    uint16_t fcs = CRC::calculate(content);
    if (faults.invalid_crc) fcs = static_cast<uint16_t>(fcs + 1 + draw(kFcsOffsetRange));
    CRC::append(content, fcs);

    Ppp_Bytes frame;
    frame.reserve(2 * content.size() + 2);
    frame.push_back(pmpp::kFlag);
    append_ppp_stuffed(frame, content);
    frame.push_back(pmpp::kFlag);
    return frame;
}

void decode_ppp_frame(Raw_Message& message, Decode_Result& result) {
    result = Decode_Result{};
    const Ppp_Bytes& frame = message.octets;
    if (frame.size() < 2) throw InvalidLengthException(pmpp_error::kShorterThanTwo);
    if (frame.front() != pmpp::kFlag || frame.back() != pmpp::kFlag)
        throw InvalidByteSequenceException(pmpp_error::kInvalidByteSequence);
    const Ppp_Bytes body = unstuff(std::span(frame).subspan(1, frame.size() - 2));
    try {
        CRC::validate(body, message);
    } catch (const CRCException&) {
        result.flags = ppp_decode_flag::kBadFcs;  // reported, and the fields are still read
    }

    // The fields end where the FCS begins; nothing is read from the FCS.
    const std::span<const uint8_t> fields =
        std::span(body).first(body.size() >= pmpp::kFcsLength ? body.size() - pmpp::kFcsLength : 0);
    if (fields.empty()) {
        result.flags |= ppp_decode_flag::kBadAddress;
        throw InvalidLengthException(pmpp_error::kAddressLength);
    }
    if (fields[0] != ppp_frame::kAllStations) {
        result.flags |= ppp_decode_flag::kBadAddress;
        throw InvalidByteSequenceException(ppp_frame_error::kInvalidAddress);
    }
    if (fields.size() < 2) {
        result.flags |= ppp_decode_flag::kBadControl;
        throw InvalidLengthException(pmpp_error::kNoControlField);
    }
    if (!accepted_control(fields[1])) {
        result.flags |= ppp_decode_flag::kBadControl;
        throw InvalidControlException(pmpp_error::kInvalidByteSequence);
    }
    message.address = HDLC_Addr::decode(fields.first(1));
    message.control = fields[1];

    const auto protocol = fields.subspan(2);
    if (protocol.size() < ppp_frame::kProtocolLength || (protocol[0] & 0x01) != 0) {
        result.flags |= ppp_decode_flag::kProtocolNotTwoOctets;
        return;
    }
    message.ipi = IPI::decode(protocol);
    result.ipi = message.ipi.value();
    const auto information = protocol.subspan(ppp_frame::kProtocolLength);
    message.information.assign(information.begin(), information.end());
}
