#include "codec/snmp_wire.h"

#include "codec/oid_forms.h"
#include "codec/snmp_decoder_text.h"
#include "codec/stmf_exception.h"
#include "tree/iso_tree.h"

void expect_tag(const Byte_Reader& reader, Activity_Log& log, uint8_t tag, const char* missing_line) {
    if (check_tag(reader) == ber::kKnownTag && reader.peek() == tag) return;
    log.text(missing_line);
    throw DecodingException(snmp_text::kInvalidSequence);
}

size_t element_count(const Byte_Reader& reader) {
    Byte_Reader ahead = reader;
    size_t count = 0;
    while (ahead.remaining() >= 2) {
        ahead.skip(1);
        size_t length = 0;
        try {
            if (!decode_length(ahead, length) || ahead.remaining() < length) break;
        } catch (const DecodingException&) {
            break;
        }
        ahead.skip(length);
        ++count;
    }
    return count;
}

int32_t request_id_of(const Bytes& content) { return request_id_of_octets(content); }

int32_t request_id_of_octets(std::span<const uint8_t> content) {
    if (content.empty()) return 0;
    if (content.size() > 5 || (content.size() == 5 && (content[0] != 0x00 || content[1] < 0x80)))
        throw DecodingException(ber::kIntegerTooLarge);
    uint32_t value = content.front() >= 0x80 ? 0xFFFFFFFFu : 0;
    for (uint8_t octet : content) value = value << 8 | octet;
    return static_cast<int32_t>(value);
}

Integer_Octets request_id_octets(int32_t request_id) {
    const auto bits = static_cast<uint32_t>(request_id);
    Integer_Octets all;
    for (int i = 0; i < 4; ++i) all.octets[all.size++] = static_cast<uint8_t>(bits >> (24 - 8 * i));
    // Leading octets that only repeat the sign of the next one go.
    size_t first = 0;
    while (first < 3 && ((all.octets[first] == 0x00 && all.octets[first + 1] < 0x80) ||
                         (all.octets[first] == 0xFF && all.octets[first + 1] >= 0x80)))
        ++first;
    Integer_Octets out;
    for (size_t i = first; i < 4; ++i) out.octets[out.size++] = all.octets[i];
    return out;
}

bool request_id_matches(std::span<const uint8_t> content, int32_t request_id) {
    if (content.empty()) return false;
    // Drop the octets that only repeat the sign.
    size_t first = 0;
    while (content.size() - first > 1 &&
           ((content[first] == 0x00 && content[first + 1] < 0x80) ||
            (content[first] == 0xFF && content[first + 1] >= 0x80)))
        ++first;
    if (content.size() - first > 4) return false;
    uint32_t value = content[first] >= 0x80 ? 0xFFFFFFFFu : 0;
    for (size_t i = first; i < content.size(); ++i) value = value << 8 | content[i];
    return static_cast<int32_t>(value) == request_id;
}

std::optional<std::span<const uint8_t>> snmp_request_id_content(const Bytes& message) {
    Byte_Reader reader(message);
    // Into the message, past version and community, into the PDU.
    auto enter = [&](bool descend) -> bool {
        if (reader.remaining() < 2) return false;
        reader.skip(1);
        size_t length = 0;
        try {
            if (!decode_length(reader, length) || reader.remaining() < length) return false;
        } catch (const DecodingException&) {
            return false;
        }
        if (!descend) reader.skip(length);
        return true;
    };
    if (reader.empty() || reader.peek() != ber::kSequence || !enter(true)) return std::nullopt;
    if (!enter(false) || !enter(false) || !enter(true)) return std::nullopt;
    if (reader.empty() || reader.peek() != ber::kInteger) return std::nullopt;
    reader.skip(1);
    size_t length = 0;
    try {
        if (!decode_length(reader, length) || reader.remaining() < length) return std::nullopt;
    } catch (const DecodingException&) {
        return std::nullopt;
    }
    return reader.take_view(length);
}

Binding_Object decode_binding_object(Byte_Reader& reader, Activity_Log& log, const ISO_Tree& tree) {
    Standard_Oid_Finder finder(tree);
    return decode_binding_object(reader, log, finder);
}

namespace {

// A lookup of the content by OID would come to this node. A top-level node
// is left to the lookup: its single arc is not a standard identifier.
bool names_node(std::span<const uint8_t> content, const ISO_Object& node) {
    if (!node.found_by_oid || node.parent == nullptr) return false;
    try {
        return Standard_Oid(node) == content;
    } catch (const EncodingException&) {
        return false;
    }
}

}  // namespace

Binding_Object decode_binding_object(Byte_Reader& reader, Activity_Log& log, Standard_Oid_Finder& finder,
                                     ISO_Object* expected) {
    if (reader.empty() || reader.peek() != ber::kObjectIdentifier) {
        log.text(snmp_text::kNoOid);
        log.text(snmp_text::kAsIfOid);
    }
    const Field_View oid = read_field(reader, log, snmp_indent::kObject);
    Binding_Object object;
    object.standard.assign(oid.content.begin(), oid.content.end());
    object.node = expected != nullptr && names_node(oid.content, *expected) ? expected : finder.find(oid.content);
    if (object.node == nullptr) {
        if (auto tree_form = tree_from_standard(Bytes(oid.content.begin(), oid.content.end())))
            object.tree_form = std::move(*tree_form);
    }
    return object;
}
