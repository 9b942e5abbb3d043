// Setting an instance's value from text and rendering it as text, by the
// syntax of its object.
//
//   syntax                text -> stored octets              octets -> text (type)
//   INTEGER               signed decimal, range checked      decimal (2)
//   Counter               signed decimal                     decimal (2)
//   Gauge, TimeTicks      unsigned decimal                   decimal (2)
//   OBJECT IDENTIFIER     dotted text -> BER content         dotted text (6)
//   display text (22)     the characters                     -
//   any other             hex octet text                     characters (22) when all
//                                                            printable, else hex (4)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"

class Iso_Instance;

namespace set_result {
inline constexpr int kStored = 0;
inline constexpr int kBadValue = 3;  // SNMP badValue
inline constexpr int kReadOnly = 4;  // SNMP readOnly
}  // namespace set_result

// Sets the value; a setter text, when given, replaces the instance text.
// A bad value or a read-only object leaves the value unchanged.
int set_value_from_text(Iso_Instance& instance, int syntax_code, std::string_view text,
                        const std::string* setter_text = nullptr);

// The octets a text stands for in the syntax, whatever the object's range,
// size or access: nothing when no value of the syntax is written so.
std::optional<Bytes> value_octets_from_text(int syntax_code, std::string_view text);

struct Rendered_Value {
    std::string text;
    uint8_t type = 0;
};

Rendered_Value render_value(const Iso_Instance& instance);
