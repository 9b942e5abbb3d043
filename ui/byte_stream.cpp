#include "ui/byte_stream.h"

#include <QStringList>
#include <algorithm>

namespace byte_stream {

QString hex_text(const std::vector<uint8_t>& bytes) {
    QStringList pairs;
    for (uint8_t byte : bytes) pairs << QString::asprintf("%02X", byte);
    return pairs.join(QLatin1Char(' '));
}

std::optional<std::vector<uint8_t>> bytes_of(const QString& text) {
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        bool ok = false;
        const uint value = digits.mid(i, 2).toUInt(&ok, 16);
        if (!ok || digits.mid(i, 2).startsWith(QLatin1Char('+')) || digits.mid(i, 2).startsWith(QLatin1Char('-')))
            return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

Fields fields_of(const Encoded_Frame& frame) {
    Fields fields;
    const std::size_t end = static_cast<std::size_t>(frame.positions[kFieldCount - 1]) + 1;
    for (int k = 0; k < kFieldCount; ++k) {
        const std::size_t from = frame.positions[k];
        const std::size_t to = k + 1 < kFieldCount ? frame.positions[k + 1] : end;
        if (from > to || to > QV_FRAME_SIZE) break;
        std::vector<uint8_t> bytes(frame.frame + from, frame.frame + to);
        if (k == kCrcField) std::reverse(bytes.begin(), bytes.end());
        fields[k] = hex_text(bytes);
    }
    return fields;
}

bool write_fields(const Fields& fields, Encoded_Frame& frame) {
    std::vector<uint8_t> bytes;
    std::array<uint16_t, kFieldCount> positions{};
    for (int k = 0; k < kFieldCount; ++k) {
        std::optional<std::vector<uint8_t>> field = bytes_of(fields[k]);
        if (!field) return false;
        if (k == kCrcField) std::reverse(field->begin(), field->end());
        positions[k] = static_cast<uint16_t>(bytes.size());
        bytes.insert(bytes.end(), field->begin(), field->end());
        if (bytes.size() > kMaxFrameBytes) return false;
    }
    if (bytes.empty()) return false;
    std::copy(bytes.begin(), bytes.end(), frame.frame);
    std::copy(positions.begin(), positions.end(), frame.positions);
    return true;
}

std::optional<std::vector<uint8_t>> checked_bytes(const Fields& fields) {
    std::vector<uint8_t> bytes;
    for (int k = 1; k < kCrcField; ++k) {
        std::optional<std::vector<uint8_t>> field = bytes_of(fields[k]);
        if (!field) return std::nullopt;
        bytes.insert(bytes.end(), field->begin(), field->end());
    }
    return bytes;
}

QString crc_text(uint16_t fcs) {
    // Shown reversed from the line: second octet first.
    return hex_text({static_cast<uint8_t>(fcs & 0xFF), static_cast<uint8_t>(fcs >> 8)});
}
}  // namespace byte_stream
