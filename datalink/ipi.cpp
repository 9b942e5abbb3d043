#include "datalink/ipi.h"

#include <algorithm>

#include "datalink/field_octets.h"
#include "datalink/pmpp_exception.h"
#include "datalink/pmpp_format.h"

IPI IPI::for_class(std::string_view class_name) {
    if (class_name == pmpp::kClassB) return IPI(1, kNtcipClassB);
    return IPI();
}

IPI IPI::decode(std::span<const uint8_t> octets) {
    if (octets.empty()) throw InvalidByteSequenceException(pmpp_error::kInvalidIpi);
    IPI ipi;
    if (octets[0] & 0x01) {
        ipi = IPI(1, octets[0]);
    } else {
        if (octets.size() < 2) throw InvalidByteSequenceException(pmpp_error::kInvalidIpi);
        ipi = IPI(2, static_cast<uint16_t>(octets[0] << 8 | octets[1]));
    }
    if (std::find(kKnown.begin(), kKnown.end(), ipi.value_) == kKnown.end())
        throw InvalidByteSequenceException(pmpp_error::kInvalidIpi);
    return ipi;
}

void IPI::append_to(Bytes& out) const { append_field_octets(out, length_, value_); }
