#include "codec/fixed_length.h"

#include <limits>

#include "codec/stmf_exception.h"
#include "tree/iso_object.h"
#include "tree/value_text.h"

namespace {

using namespace fixed_length_text;

bool is_number(int code) {
    return code == syntax::kInteger || code == syntax::kCounter || code == syntax::kGauge ||
           code == syntax::kTimeTicks;
}

// The lower bound of the object's range; 0 for anything but a leaf's instance.
int64_t lower_bound(const ISO_Object* object) {
    const Object_Type* type = object_type_of(object);
    return type != nullptr ? type->lower.value() : 0;
}

int syntax_code_of(const ISO_Object* object) {
    const Object_Type* type = object_type_of(object);
    return type != nullptr ? type->syntax_code() : syntax::kUnknown;
}

}  // namespace

uint32_t fixed_size_of(const ISO_Object* object) {
    const Object_Type* type = object_type_of(object);
    return type != nullptr ? type->size : 0;
}

Bytes fixed_length_value(const ISO_Object* object, const Bytes& value, uint32_t length) {
    if (length == 0) return value;
    const int code = syntax_code_of(object);
    if (is_number(code)) {
        if (value.size() > 8) throw InvalidReferenceException(kTooLarge);
        uint64_t bits = !value.empty() && value.front() >= 0x80 ? ~uint64_t{0} : 0;
        for (uint8_t octet : value) bits = bits << 8 | octet;
        const int64_t number = static_cast<int64_t>(bits);
        const int64_t lower = lower_bound(object);
        const uint64_t offset = number > lower ? static_cast<uint64_t>(number) - static_cast<uint64_t>(lower) : 0;
        Bytes out;
        for (int shift = 56; shift >= 0; shift -= 8) {
            const auto octet = static_cast<uint8_t>(offset >> shift);
            if (out.empty() && octet == 0) continue;
            out.push_back(octet);
        }
        if (out.size() > length) throw InvalidReferenceException(kTooLarge);
        out.insert(out.begin(), length - out.size(), 0x00);
        return out;
    }
    switch (code) {
        case syntax::kIpAddress:
            if (value.size() != length) throw EncodingException(kIpLength);
            return value;
        case syntax::kOctetString:
        case syntax::kNull:
        case syntax::kObjectId:
        case syntax::kSequence:
        case syntax::kOpaque:
            throw EncodingException(kNotFixed);
        default:
            throw InvalidReferenceException(kInvalidSyntax);
    }
}

Bytes value_from_fixed_length(const ISO_Object* object, const Bytes& received) {
    if (!is_number(syntax_code_of(object)) || received.empty() || received.size() > 8) return received;
    uint64_t offset = 0;
    for (uint8_t octet : received) offset = offset << 8 | octet;
    const int64_t number = static_cast<int64_t>(static_cast<uint64_t>(lower_bound(object)) + offset);
    if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<uint32_t>::max())
        return received;
    return number < 0 ? encode_signed(static_cast<int32_t>(number)) : encode_unsigned(static_cast<uint32_t>(number));
}
