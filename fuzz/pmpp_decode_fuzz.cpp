// The PMPP receive path on any octets from the line: assembled octet by
// octet into frames and decoded, and decoded whole as one frame. Only the
// framing's own errors may come out; a decoded frame's fields lie inside it.
// The octets also go out as an information field and must come back the
// same through assembly and decode.
#include <cstdint>
#include <cstdlib>

#include "base/random_source.h"
#include "base/throwable.h"
#include "datalink/pmpp.h"
#include "datalink/pmpp_format.h"

namespace {

void check_fields(const Raw_Message& frame, const Decode_Result& result) {
    const int16_t address_length = frame.address.length();
    if (address_length != 1 && address_length != 2) abort();
    bool control_accepted = false;
    for (uint8_t control : pmpp::kControlsAccepted) control_accepted |= frame.control == control;
    if (!control_accepted) abort();
    // Flags, address, control, IPI and FCS are around the information.
    const size_t around =
        2 + static_cast<size_t>(address_length) + 1 + static_cast<size_t>(frame.ipi.length()) + pmpp::kFcsLength;
    if (frame.information.size() + around > frame.octets.size()) abort();
    if (result.flags == Decode_Result::kNoInformation && (!frame.information.empty() || result.ipi != 0)) abort();
}

void decode_checked(const PMPP& pmpp, Raw_Message& frame) {
    try {
        check_fields(frame, pmpp.decode(frame));
    } catch (const RecoverException&) {
        // A malformed frame, reported as the receiver reports it.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Random_Source random;
    static const PMPP pmpp(random);
    const Bytes input(data, data + size);

    Raw_Message frame;
    for (uint8_t octet : input) {
        try {
            if (!pmpp.add_received_octet(frame, octet, "00:00:00.000")) continue;
        } catch (const RecoverException&) {
            continue;
        }
        decode_checked(pmpp, frame);
        frame.clear();
    }

    Raw_Message whole;
    whole.octets = input;
    decode_checked(pmpp, whole);

    const int32_t address = size >= 2 ? (input[0] << 8 | input[1]) & 0x1FFF : 1;
    if (address == pmpp::kBareFrameAddress) return 0;
    const Sent_Frame sent = pmpp.encode(input, address, size >= 3 ? input[2] & 1 : 0, "Class B");
    if (sent.octets.size() > PMPP::kLongestReceivedFrame) return 0;
    Raw_Message echo;
    bool complete = false;
    for (size_t i = 0; i < sent.octets.size(); ++i) {
        complete = pmpp.add_received_octet(echo, sent.octets[i], "00:00:00.000");
        if (complete != (i + 1 == sent.octets.size())) abort();
    }
    const Decode_Result result = pmpp.decode(echo);
    if (result.ipi != 0xC1 || echo.information != input ||
        echo.address != HDLC_Addr(address, size >= 3 && (input[2] & 1)))
        abort();
    return 0;
}
