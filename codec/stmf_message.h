// One encoded message: the bytes the data link frames (the header byte first
// for STMP, the whole message for SNMP), and, when it is longer than one
// frame may carry, the further segments.
#pragma once

#include <cstdint>
#include <memory>

#include "base/bytes.h"

namespace stmf_message {
inline constexpr size_t kSegmentSize = 512;
inline constexpr const char* kHeaderSet = "An attempt was made to modify the PDU HEADER after it was already set!";
}  // namespace stmf_message

class STMF_Message {
public:
    uint32_t error_index = 0;  // of a decoded STMP error response
    uint8_t error_status = 0;

    const Bytes& bytes() const { return bytes_; }
    Bytes& mutable_bytes() { return bytes_; }
    // The first byte, or the whole message, of an empty message only.
    void set_header(uint8_t header);
    void store(Bytes bytes);

    // Splits into segments of at most kSegmentSize bytes and answers how
    // many there are; start_over first drops the segments made before.
    int segment(bool start_over);
    STMF_Message* next() const { return next_.get(); }

private:
    Bytes bytes_;
    std::unique_ptr<STMF_Message> next_;
};
