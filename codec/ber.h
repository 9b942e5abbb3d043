// The BER building blocks every message is made of: type tags, the definite
// length field, integer contents and tag-length-value wrapping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/bytes.h"

namespace ber {
inline constexpr uint8_t kInteger = 0x02;
inline constexpr uint8_t kOctetString = 0x04;
inline constexpr uint8_t kNull = 0x05;
inline constexpr uint8_t kObjectIdentifier = 0x06;
inline constexpr uint8_t kSequence = 0x30;
inline constexpr uint8_t kIpAddress = 0x40;
inline constexpr uint8_t kCounter = 0x41;
inline constexpr uint8_t kGauge = 0x42;
inline constexpr uint8_t kTimeTicks = 0x43;
inline constexpr uint8_t kOpaque = 0x44;

// What Check tag says of the first byte.
inline constexpr int kNoTag = -1;
inline constexpr int kKnownTag = 0;
inline constexpr int kUnknownTag = 11;

inline constexpr const char* kNotEmpty = "The GetStmpLength Function was not passed an empty string";
inline constexpr const char* kInvalidLengthField = "Invalid Length field detected.  Can not decode!";
inline constexpr const char* kLengthTooLong = "Length of field is too long to decode!";
inline constexpr const char* kIntegerTooLarge = "An Integer which was too large to handle was encountered.";
inline constexpr const char* kNegativeValue = "An invalid negative value was received!";
inline constexpr const char* kNullSequence = "An attempt was made to encode a NULL string into a sequence!";
}  // namespace ber

// The remaining bytes of a message being decoded: fields are taken from the
// front, and nothing is ever read past the end.
class Byte_Reader {
public:
    explicit Byte_Reader(const Bytes& bytes) : bytes_(&bytes) {}
    size_t remaining() const { return bytes_->size() - position_; }
    bool empty() const { return remaining() == 0; }
    // The byte at offset i from the front; only for i < remaining().
    uint8_t peek(size_t i = 0) const { return (*bytes_)[position_ + i]; }
    uint8_t take_byte() { return (*bytes_)[position_++]; }
    Bytes take(size_t count);
    // The next count bytes, left where they are: valid as long as the message.
    std::span<const uint8_t> take_view(size_t count) {
        const std::span<const uint8_t> view(bytes_->data() + position_, count);
        position_ += count;
        return view;
    }
    void skip(size_t count) { position_ += count; }
    size_t position() const { return position_; }

private:
    const Bytes* bytes_;
    size_t position_ = 0;
};

// The length field of n: one byte below 0x80, else 0x80 + k and the k bytes
// of n. `out` must be empty (InvalidReferenceException otherwise).
void encode_length(size_t n, Bytes& out);
Bytes length_field(size_t n);

// Writing a message front to back into one buffer: the sizes of fields
// first, then the tag and length in front of each content.
size_t length_field_size(size_t n);
size_t tlv_size(size_t content_size);
void append_header(Bytes& out, uint8_t tag, size_t content_size);
void append_tlv(Bytes& out, uint8_t tag, std::span<const uint8_t> content);

// Takes a length field from the front. A field that runs past the end is
// reported by the return value false, with the reader left where it was.
bool decode_length(Byte_Reader& reader, size_t& n);

// Unsigned contents of at most four bytes, without a leading set bit.
uint32_t decode_unsigned(const Bytes& content);
uint32_t decode_unsigned_octets(std::span<const uint8_t> content);

// Check tag: kNoTag for no byte, kKnownTag for a tag of the set above,
// kUnknownTag otherwise.
int check_tag(const Byte_Reader& reader);
bool is_known_tag(uint8_t tag);

Bytes wrap(uint8_t tag, const Bytes& content);
Bytes integer_tlv(uint32_t value);
// s becomes 30, the length of s, s; s must not be empty.
void make_sequence(Bytes& s);
void append(Bytes& out, const Bytes& more);
