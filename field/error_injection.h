// The error-injection settings of the field role: which faults the framers
// put into the answers, and for how many answers. Written by the user's
// thread, read by the receiver thread while it encodes an answer.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "datalink/frame_faults.h"

// The eight switches, in their order; switch n owns bit 1 << 4n of the mask.
enum class Error_Switch : uint8_t {
    add_extra_byte,
    remove_random_byte,
    change_random_byte,
    edit_messages_manually,  // makes the settings active but changes no octet
    invalid_crc,
    invalid_control_field,
    invalid_address_field,
    do_not_respond,
};
inline constexpr size_t kErrorSwitchCount = 8;

// One consistent view of the settings.
struct Error_Mode {
    std::array<bool, kErrorSwitchCount> switches{};
    // 0: the settings stay until changed; n > 0: they are cleared after n
    // answers have been held back.
    int32_t message_count = 0;

    bool is_set(Error_Switch which) const { return switches[static_cast<size_t>(which)]; }
    void set(Error_Switch which, bool on) { switches[static_cast<size_t>(which)] = on; }
    // The OR of the set switches' bits.
    uint32_t mask() const;
    bool is_active() const { return mask() != 0; }

    bool extra_byte() const { return is_set(Error_Switch::add_extra_byte); }
    bool remove_byte() const { return is_set(Error_Switch::remove_random_byte); }
    bool change_byte() const { return is_set(Error_Switch::change_random_byte); }
    bool invalid_crc() const { return is_set(Error_Switch::invalid_crc); }
    bool invalid_control_field() const { return is_set(Error_Switch::invalid_control_field); }
    bool invalid_address_field() const { return is_set(Error_Switch::invalid_address_field); }
    bool do_not_respond() const { return is_set(Error_Switch::do_not_respond); }
    // What the framer puts into an answer under these settings.
    Frame_Faults frame_faults() const;

    bool operator==(const Error_Mode&) const = default;
};

class ErrorInjection {
public:
    // Starts cleared: no switch, count 0.
    ErrorInjection() = default;
    ErrorInjection(const ErrorInjection&) = delete;
    ErrorInjection& operator=(const ErrorInjection&) = delete;

    // Stores the switches and the count; the mask follows from them.
    void set(const Error_Mode& mode);
    Error_Mode mode() const;

    uint32_t mask() const { return mode().mask(); }
    bool is_active() const { return mode().is_active(); }
    bool do_not_respond() const { return mode().do_not_respond(); }

    // One answer held back: a positive count goes down by one, and at 0 the
    // switches are cleared.
    void one_message_done();

private:
    mutable std::mutex mutex_;
    Error_Mode mode_;  // guarded by mutex_
};
