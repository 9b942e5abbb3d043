#include "datalink/pmpp.h"

#include <algorithm>
#include <string>

#include "base/random_source.h"
#include "datalink/crc.h"
#include "datalink/hdlc_addr.h"
#include "datalink/information_faults.h"
#include "datalink/ipi.h"
#include "datalink/octet_stuffing.h"
#include "datalink/pmpp_exception.h"

namespace {

// Error injection: the numbers its random choices are drawn from.
constexpr uint32_t kRandomAddressRange = 8192;  // station addresses 0 to 8191
constexpr uint8_t kInvalidControlBase = 0x14;   // + random(251), mod 256: never 0x13
constexpr uint32_t kInvalidControlRange = 251;
constexpr uint32_t kFcsOffsetRange = 5000;  // FCS + 1 + random(5000)

// The fields between the flags, unstuffed, and where each one starts; in
// the order of their field positions after the opening flag.
struct Frame_Content {
    enum Piece : size_t { kAddress, kControl, kIpi, kInformation, kFcs, kPieceCount };
    Bytes octets;
    std::array<size_t, kPieceCount> starts{};
    void start(Piece piece) { starts[piece] = octets.size(); }
};
static_assert(size_t{pmpp::kAddressPosition} + Frame_Content::kFcs == pmpp::kFcsPosition);
static_assert(size_t{pmpp::kAddressPosition} + Frame_Content::kPieceCount == pmpp::kClosingFlagPosition);

HDLC_Addr other_address(const HDLC_Addr& real, bool group, Random_Source& random) {
    for (;;) {
        const HDLC_Addr candidate(static_cast<int32_t>(random.below(kRandomAddressRange)), group);
        if (candidate != real) return candidate;
    }
}

bool accepted_control(uint8_t control) {
    return std::find(pmpp::kControlsAccepted.begin(), pmpp::kControlsAccepted.end(), control) !=
           pmpp::kControlsAccepted.end();
}

}  // namespace

PMPP::PMPP(Random_Source& random, Diagnostic_Trace trace) : random_(random), trace_(std::move(trace)) {}

Sent_Frame PMPP::encode(std::span<const uint8_t> information, int32_t address, int32_t group,
                        std::string_view class_name, const Frame_Faults& faults) const {
    const bool inject = faults.armed;
    const bool group_flag = group != 0;

    Sent_Frame sent;
    Frame_Content content;
    content.octets.reserve(information.size() + 8);

    content.start(Frame_Content::kAddress);
    HDLC_Addr hdlc_address(address, group_flag);
    if (inject && faults.invalid_address) hdlc_address = other_address(hdlc_address, group_flag, random_);
    hdlc_address.append_to(content.octets);

    const bool bare = !inject && (address == pmpp::kBareFrameAddress || group == pmpp::kBareFrameAddress);
    content.start(Frame_Content::kControl);
    if (!bare) {
        uint8_t control = pmpp::kControlSent;
        if (inject && faults.invalid_control)
            control = static_cast<uint8_t>(kInvalidControlBase + random_.below(kInvalidControlRange));
        content.octets.push_back(control);
    }
    content.start(Frame_Content::kIpi);
    if (!bare) {
        const IPI ipi = IPI::for_class(class_name);
        ipi.append_to(content.octets);
        sent.ipi_length = static_cast<uint16_t>(ipi.length());
    }
    content.start(Frame_Content::kInformation);
    if (!bare) {
        if (inject) {
            Bytes changed(information.begin(), information.end());
            inject_information_errors(faults, changed, random_);
            content.octets.insert(content.octets.end(), changed.begin(), changed.end());
        } else {
            content.octets.insert(content.octets.end(), information.begin(), information.end());
        }
    }

    uint16_t fcs = CRC::calculate(content.octets);
    if (inject && faults.invalid_crc) fcs = static_cast<uint16_t>(fcs + 1 + random_.below(kFcsOffsetRange));
    content.start(Frame_Content::kFcs);
    CRC::append(content.octets, fcs);

    // Stuffing works octet by octet, so stuffing field after field gives
    // the stuffed frame and where each field starts in it.
    Bytes& out = sent.octets;
    out.reserve(2 * content.octets.size() + 2);
    sent.positions[pmpp::kOpeningFlagPosition] = 0;
    out.push_back(pmpp::kFlag);
    const std::span<const uint8_t> all(content.octets);
    for (size_t piece = 0; piece < Frame_Content::kPieceCount; ++piece) {
        const size_t end = piece + 1 < Frame_Content::kPieceCount ? content.starts[piece + 1] : all.size();
        sent.positions[pmpp::kAddressPosition + piece] = out.size();
        append_stuffed(out, all.subspan(content.starts[piece], end - content.starts[piece]));
    }
    sent.positions[pmpp::kClosingFlagPosition] = out.size();
    out.push_back(pmpp::kFlag);
    return sent;
}

Decode_Result PMPP::decode(Raw_Message& message) const {
    const Bytes& frame = message.octets;
    if (frame.size() < 2) throw InvalidLengthException(pmpp_error::kShorterThanTwo);
    if (frame.front() != pmpp::kFlag || frame.back() != pmpp::kFlag)
        throw InvalidByteSequenceException(pmpp_error::kInvalidByteSequence);
    const Bytes body = unstuff(std::span(frame).subspan(1, frame.size() - 2));
    trace(pmpp_trace::kBodyLength + std::to_string(body.size()));
    CRC::validate(body, message);

    // The fields end where the FCS begins; nothing is read from the FCS.
    const std::span<const uint8_t> fields = std::span(body).first(body.size() - pmpp::kFcsLength);
    const HDLC_Addr address = HDLC_Addr::decode(fields);
    size_t at = static_cast<size_t>(address.length());
    if (at == fields.size()) throw InvalidLengthException(pmpp_error::kNoControlField);
    const uint8_t control = fields[at++];
    if (!accepted_control(control)) throw InvalidControlException(pmpp_error::kInvalidByteSequence);

    Decode_Result result;
    IPI ipi;
    if (at == fields.size()) {
        result.flags = Decode_Result::kNoInformation;
    } else {
        ipi = IPI::decode(fields.subspan(at));
        at += static_cast<size_t>(ipi.length());
        result.ipi = ipi.value();
    }
    message.address = address;
    message.control = control;
    message.ipi = ipi;
    message.information.assign(fields.begin() + static_cast<std::ptrdiff_t>(at), fields.end());
    return result;
}

bool PMPP::add_received_octet(Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const {
    if (frame.octets.empty()) {
        if (octet != pmpp::kFlag) throw InvalidByteSequenceException(pmpp_error::kOctetBeforeFlag);
        trace(pmpp_trace::kOpeningFlag);
        frame.octets.push_back(octet);
        return false;
    }
    // A flag right after the opening flag ends an empty frame, which is
    // dropped; the flag opens the next frame. Taking the pair as a frame of
    // its own would put every later opening flag in the closing place, and
    // the line would never find its frames again after one lost octet.
    if (octet == pmpp::kFlag && frame.octets.size() == 1) {
        trace(pmpp_trace::kOpeningFlag);
        return false;
    }
    if (octet == pmpp::kFlag) {
        trace(pmpp_trace::kClosingFlag);
        frame.time_stamp = time_stamp;
        frame.octets.push_back(octet);
        return true;
    }
    // Room must stay for the closing flag.
    if (frame.octets.size() + 2 > kLongestReceivedFrame) {
        frame.clear();
        throw InvalidLengthException(pmpp_error::kReceivedFrameTooLong);
    }
    frame.octets.push_back(octet);
    return false;
}
