// SNMPv1 messages put together byte by byte, for feeding the decoders.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/bytes.h"
#include "codec/ber.h"
#include "tree/value_text.h"

struct Binding_Bytes {
    Bytes oid;    // standard content
    Bytes value;  // a whole TLV
};

inline Bytes snmp_message(uint8_t pdu_tag, int32_t id, uint32_t status, uint32_t index,
                          const std::vector<Binding_Bytes>& bindings, const std::string& community = "Orchid",
                          Bytes version = {0x00}) {
    Bytes list;
    for (const auto& binding : bindings) {
        Bytes one = wrap(ber::kObjectIdentifier, binding.oid);
        append(one, binding.value);
        make_sequence(one);
        append(list, one);
    }
    Bytes pdu = wrap(ber::kInteger, encode_signed(id));
    append(pdu, integer_tlv(status));
    append(pdu, integer_tlv(index));
    if (!bindings.empty()) {
        make_sequence(list);
        append(pdu, list);
    }
    Bytes whole = wrap(ber::kInteger, version);
    append(whole, wrap(ber::kOctetString, Bytes(community.begin(), community.end())));
    Bytes tagged = wrap(pdu_tag, pdu);
    append(whole, tagged);
    make_sequence(whole);
    return whole;
}

// The standard content of a sample object's identifier, below the demo
// device's scalars (1.3.6.1.4.1.1206.4.2.99.1).
inline Bytes demo_scalar(uint8_t number) {
    return {0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, number, 0x00};
}
