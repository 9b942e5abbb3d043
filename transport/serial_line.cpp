#include "transport/serial_line.h"

#include <poll.h>

#include <cstring>

#include "base/throwable.h"

namespace serial_line_text {
constexpr const char* kHungUp = "the other end hung up";
}  // namespace serial_line_text

Read_Outcome Serial_Line::read(std::span<uint8_t> buffer, size_t& count) {
    Pending_Read pending;
    Read_Times times;
    const size_t before = count;
    port_.read(buffer, count, pending, times);
    if (count != before) return Read_Outcome::octets;
    return hung_up() ? Read_Outcome::closed : Read_Outcome::nothing;
}

bool Serial_Line::hung_up() const {
    const int failure = port_.last_read_failure();
    if (failure != 0) return true;
    // A wake-up without octets is only a hang-up when the device says so.
    pollfd entry{port_.handle(), POLLIN, 0};
    return port_.handle() < 0 || (::poll(&entry, 1, 0) > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL)));
}

bool Serial_Line::write(std::span<const uint8_t> octets) {
    try {
        port_.write(octets);
        return true;
    } catch (const Throwable&) {
        return false;
    }
}

std::string Serial_Line::hang_up() {
    const int failure = port_.last_read_failure();
    const std::string why = failure > 0 ? std::strerror(failure) : serial_line_text::kHungUp;
    port_.close();
    return why;
}

bool Serial_Line::reopen() {
    if (port_.handle() >= 0) return true;
    try {
        port_.open(name_, baud_, 8, 'N', 1);
        port_.set_dtr(true);
        port_.set_rts(true);
        port_.set_timeouts();
        return true;
    } catch (const Throwable&) {
        port_.close();
        return false;
    }
}
