#include "field/error_injection.h"

uint32_t Error_Mode::mask() const {
    uint32_t mask = 0;
    for (size_t n = 0; n < kErrorSwitchCount; ++n)
        if (switches[n]) mask |= uint32_t{1} << (4 * n);
    return mask;
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
