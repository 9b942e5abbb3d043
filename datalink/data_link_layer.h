// The data link of the station: forwards encode, decode and the assembly of
// received octets to the framing of the link in use. Link type 1 is PMPP on
// a serial line; type 2 is PPP on a modem or network link, whose framer
// joins here beside the PMPP one; any other type does nothing. Callers hold
// the link lock around every use.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "datalink/pmpp.h"
#include "datalink/raw_message.h"

class ErrorInjection;
class Random_Source;

enum class Link_Type : int32_t {
    pmpp = 1,
    ppp = 2,
};

class Data_Link_Layer {
public:
    explicit Data_Link_Layer(Random_Source& random, Diagnostic_Trace trace = {});

    // The frame for a message, or nothing on a link without a framer here.
    std::optional<Sent_Frame> encode(int32_t link_type, std::span<const uint8_t> information, int32_t address,
                                     int32_t group, std::string_view class_name,
                                     const ErrorInjection* injection = nullptr) const;
    // Both results 0 on a link without a framer here.
    Decode_Result decode(int32_t link_type, Raw_Message& message) const;
    // False (the octet ignored) on a link without a framer here.
    bool add_received_octet(int32_t link_type, Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const;

    const PMPP& pmpp() const { return pmpp_; }

private:
    PMPP pmpp_;
};
