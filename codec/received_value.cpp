#include "codec/received_value.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "tree/instance_value.h"
#include "tree/iso_object.h"
#include "tree/oid.h"
#include "tree/value_text.h"

namespace {

// A two's complement number of up to eight octets.
std::optional<int64_t> signed_number(const Bytes& content) {
    if (content.empty() || content.size() > 8) return std::nullopt;
    uint64_t value = content.front() >= 0x80 ? ~uint64_t{0} : 0;
    for (uint8_t octet : content) value = value << 8 | octet;
    return static_cast<int64_t>(value);
}

Checked_Value refused(int result) { return {result, {}}; }
Checked_Value accepted(Bytes octets) { return {set_result::kStored, std::move(octets)}; }

// The enumerated values of the instance's leaf; empty when it has none.
const Rare_Vector<Enum_Entry>* enumeration_of(const Iso_Instance& instance) {
    const ISO_Object* leaf = owning_leaf(&instance);
    if (leaf == nullptr || !leaf->is(kind::kLeaf)) return nullptr;
    const auto& values = static_cast<const ISO_Leaf*>(leaf)->enumeration;
    return values.empty() ? nullptr : &values;
}

Checked_Value check_integer(const Iso_Instance& instance, const Object_Type& type, const Bytes& content) {
    const auto number = signed_number(content);
    if (!number || *number < std::numeric_limits<int32_t>::min() || *number > std::numeric_limits<uint32_t>::max())
        return refused(set_result::kBadValue);
    if (const auto* values = enumeration_of(instance)) {
        // An enumerated INTEGER takes its labelled values and no others.
        const bool listed = std::any_of(values->begin(), values->end(),
                                        [&](const Enum_Entry& entry) { return entry.value == *number; });
        if (!listed) return refused(set_result::kBadValue);
    } else if (type.syntax.find('(') != std::string::npos || type.syntax == "Enum") {
        // An INTEGER written without a range takes any 32-bit number.
        if (*number < type.lower.value() || *number > type.upper.value()) return refused(set_result::kBadValue);
    }
    return accepted(*number < 0 ? encode_signed(static_cast<int32_t>(*number))
                                : encode_unsigned(static_cast<uint32_t>(*number)));
}

constexpr size_t kIpAddressSize = 4;

}  // namespace

Checked_Value check_received_value(const Iso_Instance& instance, uint8_t tag, const Bytes& content) {
    const Object_Type* type = object_type_of(&instance);
    if (type == nullptr) return refused(set_result::kBadValue);
    if (type->read_only()) return refused(set_result::kReadOnly);
    const int syntax_code = type->syntax_code();
    if (tag != syntax_code) return refused(set_result::kBadValue);

    switch (syntax_code) {
        case syntax::kInteger:
            return check_integer(instance, *type, content);
        case syntax::kCounter:
        case syntax::kGauge:
        case syntax::kTimeTicks: {
            const auto number = signed_number(content);
            if (!number || *number < 0 || *number > std::numeric_limits<uint32_t>::max())
                return refused(set_result::kBadValue);
            return accepted(encode_unsigned(static_cast<uint32_t>(*number)));
        }
        case syntax::kIpAddress:
            if (content.size() != kIpAddressSize) return refused(set_result::kBadValue);
            return accepted(content);
        case syntax::kObjectId: {
            if (!tree_from_standard(content)) return refused(set_result::kBadValue);
            return accepted(content);
        }
        default:
            if (const auto size = type->size_range(); size && !size->allows(content.size()))
                return refused(set_result::kBadValue);
            return accepted(content);
    }
}

int store_received_value(Iso_Instance& instance, uint8_t tag, const Bytes& content) {
    Checked_Value checked = check_received_value(instance, tag, content);
    if (checked.result == set_result::kStored) instance.value = std::move(checked.octets);
    return checked.result;
}
