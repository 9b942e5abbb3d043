#include "codec/ber.h"

#include "codec/stmf_exception.h"
#include "tree/value_text.h"

Bytes Byte_Reader::take(size_t count) {
    const auto begin = bytes_->begin() + static_cast<std::ptrdiff_t>(position_);
    Bytes out(begin, begin + static_cast<std::ptrdiff_t>(count));
    position_ += count;
    return out;
}

void encode_length(size_t n, Bytes& out) {
    if (!out.empty()) throw InvalidReferenceException(ber::kNotEmpty);
    if (n < 0x80) {
        out.push_back(static_cast<uint8_t>(n));
        return;
    }
    uint8_t digits[sizeof(size_t)];
    int k = 0;
    for (size_t rest = n; rest != 0; rest >>= 8) digits[k++] = static_cast<uint8_t>(rest & 0xFF);
    out.push_back(static_cast<uint8_t>(0x80 + k));
    while (k > 0) out.push_back(digits[--k]);
}

Bytes length_field(size_t n) {
    Bytes out;
    encode_length(n, out);
    return out;
}

bool decode_length(Byte_Reader& reader, size_t& n) {
    if (reader.empty()) return false;
    const uint8_t first = reader.peek();
    if (first < 0x80) {
        reader.skip(1);
        n = first;
        return true;
    }
    if (first == 0x80) throw DecodingException(ber::kInvalidLengthField);
    const size_t k = first - 0x80u;
    if (k > 4) throw DecodingException(ber::kLengthTooLong);
    if (reader.remaining() < 1 + k) return false;
    size_t value = 0;
    for (size_t i = 1; i <= k; ++i) value = value << 8 | reader.peek(i);
    reader.skip(1 + k);
    n = value;
    return true;
}

size_t length_field_size(size_t n) {
    size_t size = 1;
    for (size_t rest = n; n >= 0x80 && rest != 0; rest >>= 8) ++size;
    return size;
}

size_t tlv_size(size_t content_size) { return 1 + length_field_size(content_size) + content_size; }

void append_header(Bytes& out, uint8_t tag, size_t content_size) {
    out.push_back(tag);
    if (content_size < 0x80) {
        out.push_back(static_cast<uint8_t>(content_size));
        return;
    }
    const size_t k = length_field_size(content_size) - 1;
    out.push_back(static_cast<uint8_t>(0x80 + k));
    for (size_t i = k; i-- > 0;) out.push_back(static_cast<uint8_t>(content_size >> (8 * i)));
}

void append_tlv(Bytes& out, uint8_t tag, std::span<const uint8_t> content) {
    append_header(out, tag, content.size());
    out.insert(out.end(), content.begin(), content.end());
}

uint32_t decode_unsigned(const Bytes& content) { return decode_unsigned_octets(content); }

uint32_t decode_unsigned_octets(std::span<const uint8_t> content) {
    if (content.empty()) return 0;
    if (content.size() > 4) throw DecodingException(ber::kIntegerTooLarge);
    if (content.front() >= 0x80) throw DecodingException(ber::kNegativeValue);
    uint32_t value = 0;
    for (uint8_t byte : content) value = value << 8 | byte;
    return value;
}

bool is_known_tag(uint8_t tag) {
    switch (tag) {
        case ber::kInteger:
        case ber::kOctetString:
        case ber::kNull:
        case ber::kObjectIdentifier:
        case ber::kSequence:
        case ber::kIpAddress:
        case ber::kCounter:
        case ber::kGauge:
        case ber::kTimeTicks:
        case ber::kOpaque:
            return true;
        default:
            return false;
    }
}

int check_tag(const Byte_Reader& reader) {
    if (reader.empty()) return ber::kNoTag;
    return is_known_tag(reader.peek()) ? ber::kKnownTag : ber::kUnknownTag;
}

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

Bytes wrap(uint8_t tag, const Bytes& content) {
    Bytes out{tag};
    append(out, length_field(content.size()));
    append(out, content);
    return out;
}

Bytes integer_tlv(uint32_t value) { return wrap(ber::kInteger, encode_unsigned(value)); }

void make_sequence(Bytes& s) {
    if (s.empty()) throw EncodingException(ber::kNullSequence);
    Bytes header{ber::kSequence};
    append(header, length_field(s.size()));
    s.insert(s.begin(), header.begin(), header.end());
}
