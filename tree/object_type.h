// The object-type record of a MIB object: its syntax, access and status as the
// compiler wrote them, and the value range and size derived from the syntax.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tree/shared_text.h"

// Syntax codes: the BER tag numbers of the object's type. They double as the
// value-type codes of the message layer, which adds kDisplayText.
namespace syntax {
inline constexpr int kUnknown = 0;
inline constexpr int kInteger = 0x02;
inline constexpr int kOctetString = 0x04;
inline constexpr int kNull = 0x05;
inline constexpr int kObjectId = 0x06;
inline constexpr int kSequence = 0x30;
inline constexpr int kIpAddress = 0x40;
inline constexpr int kCounter = 0x41;
inline constexpr int kGauge = 0x42;
inline constexpr int kTimeTicks = 0x43;
inline constexpr int kOpaque = 0x44;
inline constexpr int kDisplayText = 0x16;
}  // namespace syntax

// The syntax code of a syntax text: "INTEGER..." and "Enum..." are INTEGER,
// "OctetString...", "OwnerString" and "DisplayString" OCTET STRING, and the
// other type names by exact match.
int SyntaxEnum(std::string_view syntax_text);

// A bound of a value range: a 32-bit magnitude with a sign byte.
struct Bound {
    static constexpr uint8_t kDefault = 0;
    static constexpr uint8_t kPositive = 1;
    static constexpr uint8_t kNegative = 0xFF;

    uint32_t magnitude = 0;
    uint8_t sign = kDefault;

    int64_t value() const {
        return sign == kNegative ? -static_cast<int64_t>(magnitude) : magnitude;
    }
};

// The lengths a SIZE clause allows.
struct Size_Range {
    uint32_t least = 0;
    uint32_t most = 0;
    bool allows(size_t length) const { return length >= least && length <= most; }
};

struct Object_Type {
    std::string syntax;
    Shared_Text access;  // a handful of distinct texts across a whole MIB
    Shared_Text status;
    // Two further texts of the record, never filled from a MIB: one empty
    // text for all records rather than two per object type.
    static inline const std::string further1{};
    static inline const std::string further2{};
    Bound lower;
    Bound upper;
    uint32_t size = 0;  // bytes needed for the width of the range

    Object_Type() = default;
    Object_Type(std::string syntax_text, std::string access_text, std::string status_text);

    // Replaces the syntax text and derives the bounds and size again.
    void set_syntax(std::string syntax_text);
    // Appends to the syntax text; the bounds and size stay as they are.
    void append_syntax(std::string_view more);
    // SyntaxEnum of the syntax text, kept from the last change made through
    // the calls above.
    int syntax_code() const { return code_; }
    bool read_only() const { return access == "read-only"; }
    // The SIZE clause of the syntax ("SIZE (n)" or "SIZE (a..b)"), in octets.
    std::optional<Size_Range> size_range() const;
    // A DisplayString object: its value is text.
    bool is_display_text() const;

private:
    void derive_bounds();

    int code_ = syntax::kUnknown;
};
