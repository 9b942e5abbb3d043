#include "datalink/octet_stuffing.h"

#include "datalink/pmpp_format.h"

void append_stuffed(Bytes& out, std::span<const uint8_t> octets) {
    for (uint8_t octet : octets) {
        if (octet == pmpp::kFlag || octet == pmpp::kEscape) {
            out.push_back(pmpp::kEscape);
            out.push_back(static_cast<uint8_t>(octet ^ pmpp::kEscapeXor));
        } else {
            out.push_back(octet);
        }
    }
}

Bytes unstuff(std::span<const uint8_t> octets) {
    Bytes out;
    out.reserve(octets.size());
    for (size_t i = 0; i < octets.size(); ++i) {
        if (octets[i] != pmpp::kEscape) {
            out.push_back(octets[i]);
            continue;
        }
        if (++i == octets.size()) throw Dangling_Escape_Exception(stuffing_error::kDanglingEscape);
        out.push_back(static_cast<uint8_t>(octets[i] ^ pmpp::kEscapeXor));
    }
    return out;
}
