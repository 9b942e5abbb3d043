// The English translation of messages. A translator appends to the trace of
// one message: every byte in hexadecimal beside a sentence saying what it
// means. Made without an output text it writes nothing, for callers that
// want the bytes without the explanation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/bytes.h"

class ISO_Tree;

namespace trace_text {
inline constexpr const char* kUnreconciled = "The PDU can not be reconciled with the previously sent message.\n";
inline constexpr const char* kObjectNotFound = "Object not found in tree!";
}  // namespace trace_text

class Activity_Log {
public:
    Activity_Log(const ISO_Tree& tree, std::string* output) : tree_(&tree), out_(output) {}

    bool enabled() const { return out_ != nullptr; }
    size_t size() const { return out_ != nullptr ? out_->size() : 0; }

    // Every call writes nothing, and costs next to nothing, without an output text.
    void indent(int k) {
        if (out_ != nullptr && k > 0) out_->append(static_cast<size_t>(k) * 2, ' ');
    }
    void hex_byte(int k, uint8_t byte, std::string_view suffix = "") {
        if (out_ != nullptr) append_hex_byte(k, byte, suffix);
    }
    void hex_bytes(int k, const Bytes& bytes, std::string_view suffix = "") { hex_octets(k, bytes, suffix); }
    void hex_octets(int k, std::span<const uint8_t> bytes, std::string_view suffix = "");
    void text(const char* s) {
        if (out_ != nullptr) *out_ += s;
    }
    void text(std::string_view s) {
        if (out_ != nullptr) *out_ += s;
    }
    void text(const std::string& s) { text(std::string_view(s)); }
    void unsigned_number(uint32_t value);
    void signed_number(int32_t value);
    void insert(size_t position, std::string_view s);
    void low_nibble_line(int nibble, int k);
    void unreconciled_line() { text(trace_text::kUnreconciled); }

    // Appends the sentence for one field at indent k; for an OBJECT
    // IDENTIFIER returns the name of the object it identifies, else "".
    std::string describe_field(uint8_t tag, size_t n, const Bytes& content, int k);
    std::string describe_octets(uint8_t tag, size_t n, std::span<const uint8_t> content, int k);

    // The name of the object an identifier's content stands for, taken
    // first as NEMA-relative and then as standard content; "" when neither.
    std::string object_name(const Bytes& content) const { return object_name_of(content); }
    std::string object_name_of(std::span<const uint8_t> content) const;

private:
    void units(size_t n);
    void append_hex_byte(int k, uint8_t byte, std::string_view suffix);

    const ISO_Tree* tree_;
    std::string* out_;
};
