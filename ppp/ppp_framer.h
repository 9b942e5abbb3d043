// The framer of a PPP link, beside PMPP's in the data link: NTCIP messages
// go out as the information of protocol 0x00C1 in RFC 1662 frames, with the
// faults the field device asks for; received octets are assembled into
// frames exactly as PMPP assembles them (flag to flag), and a frame decodes
// into its protocol, which the receiver reads as the IPI.
#pragma once

#include "datalink/framer.h"
#include "ppp/random_below.h"

class Ppp_Framer final : public Framer {
public:
    // octet_assembly: the framer whose frame assembly is borrowed (PMPP's).
    Ppp_Framer(const Framer& octet_assembly, Random_Below random)
        : octet_assembly_(octet_assembly), random_(std::move(random)) {}

    std::optional<Sent_Frame> frame_message(std::span<const uint8_t> information, int32_t address, int32_t group,
                                            std::string_view class_name, const Frame_Faults& faults) const override;
    // A frame whose address or control field is wrong is not thrown out:
    // the result carries ppp_decode_flag::kBadAddress or kBadControl, so the
    // receiver reports it by its own flag. A bad FCS leaves kBadFcs beside
    // the decoded fields.
    Decode_Result decode(Raw_Message& message) const override;
    bool add_received_octet(Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const override {
        return octet_assembly_.add_received_octet(frame, octet, time_stamp);
    }

private:
    const Framer& octet_assembly_;
    Random_Below random_;
};
