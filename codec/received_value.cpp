#include "codec/received_value.h"

#include <limits>
#include <optional>

#include "tree/instance_value.h"
#include "tree/iso_object.h"
#include "tree/value_text.h"

namespace {

// A two's complement number of up to eight octets.
std::optional<int64_t> signed_number(const Bytes& content) {
    if (content.empty() || content.size() > 8) return std::nullopt;
    uint64_t value = content.front() >= 0x80 ? ~uint64_t{0} : 0;
    for (uint8_t octet : content) value = value << 8 | octet;
    return static_cast<int64_t>(value);
}

}  // namespace

int store_received_value(Iso_Instance& instance, uint8_t tag, const Bytes& content) {
    const Object_Type* type = object_type_of(&instance);
    if (type == nullptr) return set_result::kBadValue;
    if (type->read_only()) return set_result::kReadOnly;
    const int syntax_code = type->syntax_code();
    if (tag != syntax_code) return set_result::kBadValue;

    switch (syntax_code) {
        case syntax::kInteger: {
            const auto number = signed_number(content);
            if (!number || *number < std::numeric_limits<int32_t>::min() ||
                *number > std::numeric_limits<uint32_t>::max())
                return set_result::kBadValue;
            // An INTEGER written without a range takes any 32-bit number.
            const bool ranged = type->syntax.find('(') != std::string::npos || type->syntax == "Enum";
            if (ranged && (*number < type->lower.value() || *number > type->upper.value()))
                return set_result::kBadValue;
            instance.value = *number < 0 ? encode_signed(static_cast<int32_t>(*number))
                                         : encode_unsigned(static_cast<uint32_t>(*number));
            return set_result::kStored;
        }
        case syntax::kCounter:
        case syntax::kGauge:
        case syntax::kTimeTicks: {
            const auto number = signed_number(content);
            if (!number || *number < 0 || *number > std::numeric_limits<uint32_t>::max())
                return set_result::kBadValue;
            instance.value = encode_unsigned(static_cast<uint32_t>(*number));
            return set_result::kStored;
        }
        default:
            instance.value = content;
            return set_result::kStored;
    }
}
