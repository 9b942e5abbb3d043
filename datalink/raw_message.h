// One received frame: the octets as they arrive, flags included, and the
// fields its decode finds in them. The receiver keeps one and reuses it for
// every frame.
#pragma once

#include <cstdint>
#include <string>

#include "base/bytes.h"
#include "datalink/hdlc_addr.h"
#include "datalink/ipi.h"

struct Raw_Message {
    // The frame under assembly, then the complete frame.
    Bytes octets;
    // The time text given with the closing flag.
    std::string time_stamp;

    // Filled by a successful decode.
    HDLC_Addr address;
    uint8_t control = 0;
    IPI ipi;
    Bytes information;
    // What the FCS check left, stored even when the check fails.
    uint16_t fcs_residue = 0;

    // Back to an empty frame, keeping the storage for the next one.
    void clear() {
        octets.clear();
        time_stamp.clear();
        address = HDLC_Addr();
        control = 0;
        ipi = IPI();
        information.clear();
        fcs_residue = 0;
    }
};

// What a decode reports beside the fields. Both are 0 until the decode says
// otherwise.
struct Decode_Result {
    // Framing flags. PMPP sets kNoInformation on a frame that ends after
    // its control field (and reports every error by an exception).
    uint16_t flags = 0;
    uint16_t ipi = 0;

    static constexpr uint16_t kNoInformation = 0x1;

    bool operator==(const Decode_Result&) const = default;
};
