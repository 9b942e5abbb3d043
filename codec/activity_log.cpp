#include "codec/activity_log.h"

#include "base/hex_byte.h"

#include "codec/ber.h"
#include "codec/oid_forms.h"
#include "tree/iso_tree.h"
#include "tree/value_text.h"

void Activity_Log::append_hex_byte(int k, uint8_t byte, std::string_view suffix) {
    indent(k);
    ::append_hex_byte(*out_, byte);
    *out_ += ' ';
    *out_ += suffix;
}

void Activity_Log::hex_octets(int k, std::span<const uint8_t> bytes, std::string_view suffix) {
    if (out_ == nullptr) return;
    indent(k);
    for (uint8_t byte : bytes) {
        ::append_hex_byte(*out_, byte);
        *out_ += ' ';
    }
    *out_ += suffix;
}

void Activity_Log::unsigned_number(uint32_t value) { text(std::to_string(value)); }

void Activity_Log::signed_number(int32_t value) { text(std::to_string(value)); }

void Activity_Log::insert(size_t position, std::string_view s) {
    if (out_ != nullptr) out_->insert(std::min(position, out_->size()), s);
}

void Activity_Log::low_nibble_line(int nibble, int k) {
    if (out_ == nullptr) return;
    indent(k);
    text("Lo order nibble indicates: ");
    if (nibble == 0) {
        text("OID encoded from the NEMA node.\n");
    } else if (nibble >= 1 && nibble <= 13) {
        text("Dynamic Object Number ");
        unsigned_number(static_cast<uint32_t>(nibble));
        text("\n");
    } else if (nibble == 14) {
        text("OID encoded from the ROOT node.\n");
    }
    text("\n");
}

void Activity_Log::units(size_t n) {
    text(std::to_string(n));
    text(n == 1 ? " byte. " : " bytes. ");
}

std::string Activity_Log::object_name_of(std::span<const uint8_t> content) const {
    if (ISO_Object* nema = tree_->find_by_tree_form(oid_form::kNemaNode)) {
        if (const ISO_Object* node = tree_->find_by_tree_form(content, nema)) return node->name;
    }
    if (const ISO_Object* node = tree_->find_by_standard(content)) return node->name;
    return "";
}

namespace {

uint32_t big_endian(std::span<const uint8_t> content, size_t from) {
    uint32_t value = 0;
    for (size_t i = from; i < content.size(); ++i) value = value << 8 | content[i];
    return value;
}

// Counter, Gauge and TimeTicks: up to four bytes as they stand; five bytes
// only as a 00 in front of a value with its top bit set.
std::string unsigned_value_text(std::span<const uint8_t> content) {
    const size_t n = content.size();
    if (n <= 4) return std::to_string(big_endian(content, 0));
    if (n == 5) {
        if (content[1] < 0x80) return "Invalid Length, second byte of 5-byte counter must be >= 0x80";
        return std::to_string(big_endian(content, 1));
    }
    return "Invalid Length";
}

// Octets shown as characters; a NUL would end the text that carries them.
std::string as_characters(std::span<const uint8_t> content) {
    std::string text(content.begin(), content.end());
    for (char& c : text)
        if (c == '\0') c = '.';
    return text;
}

}  // namespace

std::string Activity_Log::describe_field(uint8_t tag, size_t n, const Bytes& content, int k) {
    return describe_octets(tag, n, content, k);
}

std::string Activity_Log::describe_octets(uint8_t tag, size_t n, std::span<const uint8_t> content, int k) {
    if (out_ == nullptr) return "";
    std::string name;
    switch (tag) {
        case ber::kInteger: {
            if (n > 0) {
                text("INTEGER of ");
                units(n);
                indent(k + 1);
            }
            text("Value = ");
            if (n <= 4) {
                int64_t value = big_endian(content, 0);
                if (n > 0 && content.front() >= 0x80) value -= int64_t{1} << (8 * n);
                signed_number(static_cast<int32_t>(value));
            } else {
                text("The value is greater than 4 billion");
            }
            break;
        }
        case ber::kOctetString:
            if (n > 0) {
                text("OCTET STRING of ");
                units(n);
                indent(k + 1);
                if (content.front() >= 0x30 && content.front() <= 0x7A) {
                    text("\n    ASCII translation: ");
                    text(as_characters(content));
                }
            }
            break;
        case ber::kNull:
            if (n > 0) {
                text("NULL TYPE of ");
                units(n);
            }
            break;
        case ber::kObjectIdentifier:
            if (n > 0) {
                text("\n      OBJECT IDENTIFIER of ");
                units(n);
                indent(k + 1);
            }
            text("\n      Object Name = ");
            name = object_name_of(content);
            text(name.empty() ? trace_text::kObjectNotFound : name);
            break;
        case ber::kSequence:
            if (n > 0) {
                text("SEQUENCE or SEQUENCE OF of ");
                text(std::to_string(n));
                text(" bytes.  Definition:");
            }
            break;
        case ber::kIpAddress:
            if (n > 0) {
                text("IP ADDRESS of ");
                text(std::to_string(n));
                text(" bytes. ");
                indent(k + 1);
            }
            text("Value = ");
            if (n == 4) {
                for (uint8_t byte : content) text(std::to_string(byte) + ".");
                text("\n");
            } else {
                text("Invalid IP Address Legth");
            }
            break;
        case ber::kCounter:
        case ber::kGauge:
        case ber::kTimeTicks:
            if (n > 0) {
                text(tag == ber::kCounter ? "COUNTER of " : tag == ber::kGauge ? "GAUGE of " : "TIME TICKS of ");
                units(n);
                indent(k + 1);
            }
            text("Value = ");
            text(unsigned_value_text(content));
            break;
        case ber::kOpaque:
            if (n > 0) {
                text("OPAQUE of ");
                units(n);
            }
            break;
        default:
            if (n > 0) {
                text("Unknown Type of ");
                units(n);
            }
            break;
    }
    text("\n");
    return name;
}
