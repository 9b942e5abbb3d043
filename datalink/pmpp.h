// PMPP framing: one encoded application message into one flagged, stuffed
// frame for the serial line, and a received frame, assembled octet by octet,
// back into its fields. Callers hold the link lock around every use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "base/bytes.h"
#include "datalink/framer.h"

class Random_Source;

// Receives the framer's diagnostic trace; nothing else reads it.
using Diagnostic_Trace = std::function<void(std::string_view text)>;

namespace pmpp_trace {
inline constexpr const char* kOpeningFlag = "\nFound opening flag";
inline constexpr const char* kClosingFlag = "\n Found closing flag";
inline constexpr const char* kBodyLength = "\nFrame body length: ";
}  // namespace pmpp_trace

class PMPP final : public Framer {
public:
    // Error injection draws its random choices from the generator.
    explicit PMPP(Random_Source& random, Diagnostic_Trace trace = {});

    // The frame for an information field to a station. Without active error
    // injection a frame to address 255, or with the group argument 255,
    // carries no control, IPI or information field. The class name picks the
    // IPI (exactly "Class B": the one-octet 0xC1; any other: none). Armed
    // faults are put into the frame, their random choices drawn in frame order.
    Sent_Frame encode(std::span<const uint8_t> information, int32_t address, int32_t group, std::string_view class_name,
                      const Frame_Faults& faults = {}) const;
    std::optional<Sent_Frame> frame_message(std::span<const uint8_t> information, int32_t address, int32_t group,
                                            std::string_view class_name, const Frame_Faults& faults) const override {
        return encode(information, address, group, class_name, faults);
    }

    // Decodes the complete frame in message.octets into its fields; throws a
    // PMPP_Exception kind (or Dangling_Escape_Exception) and then delivers no
    // field.
    Decode_Result decode(Raw_Message& message) const override;

    // Appends one received octet to the frame under assembly; true when it
    // was the closing flag, which completes the frame and stamps it with the
    // time text. An octet before the opening flag throws
    // InvalidByteSequenceException and is dropped; a frame that would grow
    // past kLongestReceivedFrame is dropped whole with InvalidLengthException.
    bool add_received_octet(Raw_Message& frame, uint8_t octet, std::string_view time_stamp) const override;

    // The longest frame accepted from the line, flags included: well above
    // any frame of a fully stuffed message segment.
    static constexpr size_t kLongestReceivedFrame = 8192;

private:
    void trace(std::string_view text) const {
        if (trace_) trace_(text);
    }

    Random_Source& random_;
    Diagnostic_Trace trace_;
};
