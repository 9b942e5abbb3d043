#include "tree/object_type.h"

#include <utility>

#include "tree/text_number.h"

namespace {

constexpr std::string_view kDisplayString = "DisplayString";

// DisplayString alone or with its SIZE clause behind it.
bool names_display_string(std::string_view text) {
    return text.substr(0, kDisplayString.size()) == kDisplayString &&
           (text.size() == kDisplayString.size() || text[kDisplayString.size()] == ' ');
}

}  // namespace

int SyntaxEnum(std::string_view text) {
    // Only the first 49 characters of a syntax text take part.
    text = text.substr(0, 49);
    auto starts = [&](std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; };
    if (starts("INTEGER") || starts("Enum")) return syntax::kInteger;
    if (starts("OctetString") || text == "OwnerString" || names_display_string(text))
        return syntax::kOctetString;
    if (text == "Null") return syntax::kNull;
    if (text == "ObjectID") return syntax::kObjectId;
    if (text == "SEQUENCE") return syntax::kSequence;
    if (text == "IpAddress") return syntax::kIpAddress;
    if (text == "Counter") return syntax::kCounter;
    if (text == "Gauge") return syntax::kGauge;
    if (text == "TimeTicks") return syntax::kTimeTicks;
    if (text == "Opaque") return syntax::kOpaque;
    return syntax::kUnknown;
}

Object_Type::Object_Type(std::string syntax_text, std::string access_text, std::string status_text)
    : syntax(std::move(syntax_text)), access(access_text), status(status_text) {
    derive_bounds();
}

void Object_Type::append_syntax(std::string_view more) {
    syntax += more;
    code_ = SyntaxEnum(syntax);
}

void Object_Type::set_syntax(std::string syntax_text) {
    syntax = std::move(syntax_text);
    lower = Bound{};
    upper = Bound{};
    size = 0;
    derive_bounds();
}

namespace {

Bound read_bound(std::string_view text) {
    Bound bound;
    bound.sign = Bound::kPositive;
    if (!text.empty() && text.front() == '-') {
        bound.sign = Bound::kNegative;
        text.remove_prefix(1);
    }
    bound.magnitude = leading_decimal(text);
    return bound;
}

// Width of the range, by the signs of the bounds; 0 when it is empty.
uint64_t range_width(const Bound& lower, const Bound& upper) {
    const bool lower_negative = lower.sign == Bound::kNegative;
    const bool upper_negative = upper.sign == Bound::kNegative;
    if (!lower_negative && !upper_negative)
        return upper.magnitude > lower.magnitude ? upper.magnitude - lower.magnitude : 0;
    if (lower_negative && !upper_negative)
        return static_cast<uint64_t>(upper.magnitude) + lower.magnitude;
    if (lower_negative && upper_negative)
        return lower.magnitude > upper.magnitude ? lower.magnitude - upper.magnitude : 0;
    return 0;  // a positive lower bound above a negative upper one
}

uint32_t bytes_for(uint64_t width) {
    uint32_t count = 0;
    while (width != 0) {
        width >>= 8;
        ++count;
    }
    return count;
}

constexpr uint32_t kFullRange = 4294967295u;

}  // namespace

void Object_Type::derive_bounds() {
    code_ = SyntaxEnum(syntax);
    const std::string_view text = syntax;
    if (text.find("SIZE (") != std::string_view::npos) return;  // sizes are not ranges

    if (const auto open = text.find('('); open != std::string_view::npos) {
        const auto dots = text.find("..", open);
        if (dots == std::string_view::npos) return;
        lower = read_bound(text.substr(open + 1, dots - open - 1));
        const auto close = text.find(')', dots);
        if (close == std::string_view::npos) return;
        upper = read_bound(text.substr(dots + 2, close - dots - 2));
        size = bytes_for(range_width(lower, upper));
        return;
    }
    if (text == "Enum") {
        lower = {0, Bound::kPositive};
        upper = {255, Bound::kPositive};
        size = 1;
        return;
    }
    lower = {0, Bound::kPositive};
    upper = {kFullRange, Bound::kPositive};
    size = (text == "Counter" || text == "Gauge") ? 4 : 0;
}

bool Object_Type::is_display_text() const { return names_display_string(syntax) || syntax == "OwnerString"; }

std::optional<Size_Range> Object_Type::size_range() const {
    const std::string_view text = syntax;
    size_t at = text.find("SIZE");
    if (at == std::string_view::npos) return std::nullopt;
    at = text.find_first_not_of(' ', at + 4);
    if (at == std::string_view::npos || text[at] != '(') return std::nullopt;
    const std::string_view inside = text.substr(at + 1);
    const size_t close = inside.find(')');
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view clause = inside.substr(0, close);
    Size_Range range;
    const size_t dots = clause.find("..");
    auto number = [](std::string_view piece) {
        const size_t start = piece.find_first_not_of(' ');
        return start == std::string_view::npos ? 0u : leading_decimal(piece.substr(start));
    };
    range.least = number(clause.substr(0, dots));
    range.most = dots == std::string_view::npos ? range.least : number(clause.substr(dots + 2));
    return range;
}
