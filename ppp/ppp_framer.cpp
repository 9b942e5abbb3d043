#include "ppp/ppp_framer.h"

#include "datalink/pmpp_exception.h"
#include "ppp/ppp_frame.h"
#include "ppp/ppp_link.h"

namespace {

Ppp_Frame_Faults ppp_faults(const Frame_Faults& faults) {
    Ppp_Frame_Faults out;
    if (!faults.armed) return out;
    out.invalid_address = faults.invalid_address;
    out.invalid_control = faults.invalid_control;
    out.extra_byte = faults.extra_byte;
    out.remove_byte = faults.remove_byte && !faults.extra_byte;
    out.change_byte = faults.change_byte;
    out.invalid_crc = faults.invalid_crc;
    return out;
}

// Where each field starts in the stuffed frame: the unstuffed offsets of
// address (1), control (2), protocol (3), information (5) and FCS
// (length - 3) found by walking the escapes.
void mark_positions(Sent_Frame& sent, size_t information_length) {
    const Bytes& octets = sent.octets;
    const size_t fcs_start = 1 + 2 + ppp_frame::kProtocolLength + information_length;
    const std::pair<size_t, pmpp::Field_Position> starts[] = {
        {1, pmpp::kAddressPosition},
        {2, pmpp::kControlPosition},
        {3, pmpp::kIpiPosition},
        {3 + ppp_frame::kProtocolLength, pmpp::kInformationPosition},
        {fcs_start, pmpp::kFcsPosition},
    };
    sent.positions[pmpp::kOpeningFlagPosition] = 0;
    sent.positions[pmpp::kClosingFlagPosition] = octets.empty() ? 0 : octets.size() - 1;
    size_t unstuffed = 1;
    size_t next = 0;
    for (size_t i = 1; i + 1 < octets.size() && next < std::size(starts); ++i) {
        while (next < std::size(starts) && starts[next].first == unstuffed) sent.positions[starts[next++].second] = i;
        if (octets[i] == pmpp::kEscape) ++i;
        ++unstuffed;
    }
    for (; next < std::size(starts); ++next) sent.positions[starts[next].second] = sent.positions[pmpp::kClosingFlagPosition];
}

}  // namespace

std::optional<Sent_Frame> Ppp_Framer::frame_message(std::span<const uint8_t> information, int32_t, int32_t,
                                                    std::string_view, const Frame_Faults& faults) const {
    Sent_Frame sent;
    sent.octets = encode_ppp_frame(information, ppp_protocol::kNtcip, ppp_faults(faults), random_);
    sent.ipi_length = ppp_frame::kProtocolLength;
    mark_positions(sent, information.size());
    return sent;
}

Decode_Result Ppp_Framer::decode(Raw_Message& message) const {
    Decode_Result result;
    try {
        decode_ppp_frame(message, result);
    } catch (const PMPP_Exception&) {
        constexpr uint16_t kReported = ppp_decode_flag::kBadAddress | ppp_decode_flag::kBadControl;
        if ((result.flags & kReported) == 0) throw;
    }
    return result;
}
