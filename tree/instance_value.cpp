#include "tree/instance_value.h"

#include <limits>
#include <optional>

#include "tree/iso_object.h"
#include "tree/text_number.h"
#include "tree/value_text.h"

namespace {

constexpr int64_t kUint32Max = std::numeric_limits<uint32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

// A non-negative number within the range goes as unsigned contents, a
// negative one as signed contents without a range test.
std::optional<Bytes> integer_octets(std::string_view text, const Object_Type* type) {
    const auto number = whole_signed_decimal(text);
    if (!number) return std::nullopt;
    if (*number < 0) {
        if (*number < kInt32Min) return std::nullopt;
        return encode_signed(static_cast<int32_t>(*number));
    }
    if (type != nullptr && (*number < type->lower.value() || *number > type->upper.value()))
        return std::nullopt;
    if (*number > kUint32Max) return std::nullopt;
    return encode_unsigned(static_cast<uint32_t>(*number));
}

std::optional<Bytes> counter_octets(std::string_view text) {
    const auto number = whole_signed_decimal(text);
    if (!number || *number < kInt32Min || *number > kUint32Max) return std::nullopt;
    if (*number < 0) return encode_signed(static_cast<int32_t>(*number));
    return encode_unsigned(static_cast<uint32_t>(*number));
}

std::optional<Bytes> unsigned_octets(std::string_view text) {
    const auto number = whole_signed_decimal(text);
    if (!number || *number < 0 || *number > kUint32Max) return std::nullopt;
    return encode_unsigned(static_cast<uint32_t>(*number));
}

std::optional<Bytes> octets_from_text(int syntax_code, std::string_view text, const Object_Type* type) {
    // An address written as a dotted quad is its four octets, whatever the
    // text's type says; any other text goes by the type.
    if (type != nullptr && type->syntax_code() == syntax::kIpAddress) {
        if (auto address = ip_address_from_text(text)) return address;
    }
    switch (syntax_code) {
        case syntax::kInteger:
            return integer_octets(text, type);
        case syntax::kCounter:
            return counter_octets(text);
        case syntax::kGauge:
        case syntax::kTimeTicks:
            return unsigned_octets(text);
        case syntax::kObjectId:
            return ber_oid_from_dotted(text);
        case syntax::kDisplayText:
            return Bytes(text.begin(), text.end());
        default:
            return bytes_from_hex_text(text);
    }
}

}  // namespace

std::optional<Bytes> value_octets_from_text(int syntax_code, std::string_view text) {
    return octets_from_text(syntax_code, text, nullptr);
}

int set_value_from_text(Iso_Instance& instance, int syntax_code, std::string_view text,
                        const std::string* setter_text) {
    const Object_Type* type = object_type_of(&instance);
    if (instance.parent != nullptr && type != nullptr && type->read_only()) return set_result::kReadOnly;
    auto octets = octets_from_text(syntax_code, text, type);
    if (!octets) return set_result::kBadValue;
    instance.value = std::move(*octets);
    if (setter_text != nullptr) instance.instance_text = *setter_text;
    return set_result::kStored;
}

Rendered_Value render_value(const Iso_Instance& instance) {
    const Object_Type* type = object_type_of(&instance);
    const int code = type != nullptr ? type->syntax_code() : syntax::kUnknown;
    switch (code) {
        case syntax::kInteger:
        case syntax::kCounter:
        case syntax::kGauge:
        case syntax::kTimeTicks:
            return {decimal_from_twos_complement(instance.value), syntax::kInteger};
        case syntax::kObjectId:
            return {dotted_from_ber_oid(instance.value), syntax::kObjectId};
        case syntax::kIpAddress:
            if (instance.value.size() == 4) return {dotted_quad(instance.value), syntax::kDisplayText};
            [[fallthrough]];
        default:
            if (all_printable(instance.value))
                return {std::string(instance.value.begin(), instance.value.end()), syntax::kDisplayText};
            return {hex_text(instance.value), syntax::kOctetString};
    }
}
