#include "field/error_injection.h"

uint32_t Error_Mode::mask() const {
    uint32_t mask = 0;
    for (size_t n = 0; n < kErrorSwitchCount; ++n)
        if (switches[n]) mask |= uint32_t{1} << (4 * n);
    return mask;
}

Frame_Faults Error_Mode::frame_faults() const {
    Frame_Faults faults;
    faults.armed = is_active();
    faults.extra_byte = extra_byte();
    faults.remove_byte = remove_byte();
    faults.change_byte = change_byte();
    faults.invalid_crc = invalid_crc();
    faults.invalid_control = invalid_control_field();
    faults.invalid_address = invalid_address_field();
    return faults;
}

void ErrorInjection::set(const Error_Mode& mode) {
    std::lock_guard hold(mutex_);
    mode_ = mode;
}

Error_Mode ErrorInjection::mode() const {
    std::lock_guard hold(mutex_);
    return mode_;
}

void ErrorInjection::one_message_done() {
    std::lock_guard hold(mutex_);
    if (mode_.message_count <= 0) return;
    if (--mode_.message_count == 0) mode_.switches = {};
}
