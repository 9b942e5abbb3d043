// The data link of the station: the framer of each link type. PMPP frames a
// serial line or a TCP stream, UDP carries messages unframed; a PPP link's
// framer (from ppp/) joins beside them; a link without a framer here takes no octets and frames nothing. Callers hold the
// link lock around every use.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "datalink/framer.h"
#include "datalink/pmpp.h"
#include "datalink/unframed.h"

class Random_Source;

class Data_Link_Layer {
public:
    explicit Data_Link_Layer(Random_Source& random, Diagnostic_Trace trace = {});

    // The framer of a link type, chosen once per connection.
    const Framer& framer(Link_Type link) const;

    // The frame for a message, or nothing on a link without a framer here.
    std::optional<Sent_Frame> encode(Link_Type link, std::span<const uint8_t> information, int32_t address,
                                     int32_t group, std::string_view class_name,
                                     const Frame_Faults& faults = {}) const {
        return framer(link).frame_message(information, address, group, class_name, faults);
    }
    // Both results 0 on a link without a framer here.
    Decode_Result decode(Link_Type link, Raw_Message& message) const { return framer(link).decode(message); }
    // False (the octet ignored) on a link without a framer here.
    bool add_received_octet(Link_Type link, Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const {
        return framer(link).add_received_octet(frame, octet, time_stamp);
    }

    const PMPP& pmpp() const { return pmpp_; }

    // The framer of a link type framed outside the data link (PPP's, from
    // ppp/); it must outlive the data link's use of it.
    void attach(Link_Type link, const Framer& framer) {
        if (link == Link_Type::ppp) ppp_ = &framer;
    }

private:
    PMPP pmpp_;
    Unframed unframed_;
    const Framer* ppp_ = nullptr;
};
