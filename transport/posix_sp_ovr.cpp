#include "transport/posix_sp_ovr.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "transport/sp_exception.h"
#include "transport/util_time.h"

namespace {

// What reads and writes wait for on the device.
int poll_for(int descriptor, short events, int timeout_ms) {
    pollfd entry{descriptor, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, timeout_ms);
        if (ready >= 0 || errno != EINTR) return ready;
    }
}

// Time-outs of the station's reads: an interval and a multiplier that never
// end a read, and a 10 ms wait for the first octet.
constexpr Port_Timeouts kStationTimeouts{0xFFFFFFFF, 0xFFFFFFFF, 10, 0, 0};

}  // namespace

Posix_SP_Ovr::Posix_SP_Ovr(std::chrono::milliseconds settle_before_open) : settle_before_open_(settle_before_open) {}

Posix_SP_Ovr::~Posix_SP_Ovr() { close(); }

void Posix_SP_Ovr::open(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity,
                        uint16_t stop_bits) {
    if (handle() != kClosed) throw CommOpenException(sp_error::kErrorOpening);
    std::this_thread::sleep_for(settle_before_open_);

    open_failure_.clear();
    const int descriptor = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        // TIOCEXCL refuses everyone else with EBUSY.
        open_failure_ = errno == EBUSY ? port_refusal::kInUse : std::strerror(errno);
        throw OpeningPortException(sp_error::kErrorOpening);
    }
    // A port is a terminal, and one station's alone: the advisory lock keeps
    // out other stations (root included, whom TIOCEXCL lets through), and
    // TIOCEXCL other programs.
    const bool terminal = isatty(descriptor) != 0;
    if (!terminal || flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        open_failure_ = terminal ? port_refusal::kInUse : port_refusal::kNotATerminal;
        ::close(descriptor);
        throw OpeningPortException(sp_error::kErrorOpening);
    }
    ioctl(descriptor, TIOCEXCL);
    set_handle(descriptor);
    set_name(name);

    read_settings();
    set_baud_rate(baud_rate);
    set_data_bits(data_bits);
    set_parity(parity);
    set_stop_bits(stop_bits);
    write_settings();
}

void Posix_SP_Ovr::close() {
    const int descriptor = handle();
    if (descriptor == kClosed) return;
    set_handle(kClosed);
    // Exclusive use ends with this station's use, even where someone else
    // still holds the device open.
    ioctl(descriptor, TIOCNXCL);
    ::close(descriptor);
}

void Posix_SP_Ovr::reset(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity,
                         uint16_t stop_bits) {
    close();
    open(name, baud_rate, data_bits, parity, stop_bits);
}

void Posix_SP_Ovr::set_timeouts() {
    const int descriptor = handle();
    if (descriptor == kClosed || fcntl(descriptor, F_GETFL) == -1)
        throw SettingTimeoutException(sp_error::kCannotSetTimeouts);
    mutable_timeouts() = kStationTimeouts;
}

void Posix_SP_Ovr::write(std::span<const uint8_t> octets) {
    const int descriptor = handle();
    if (descriptor == kClosed) throw WritingPortException(sp_error::kErrorWriting);
    if (octets.empty()) return;
    const auto budget = kWriteBudgetPerOctet * static_cast<int64_t>(octets.size());
    std::chrono::milliseconds waited{0};
    size_t written = 0;

    // One attempt at what is left: false when the device had no room.
    const auto attempt = [&] {
        const ssize_t n = ::write(descriptor, octets.data() + written, octets.size() - written);
        if (n > 0) {
            written += static_cast<size_t>(n);
            return true;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) throw WritingPortException(sp_error::kErrorWriting);
        return false;
    };

    attempt();
    while (written < octets.size()) {
        const int ready = poll_for(descriptor, POLLOUT, static_cast<int>(kWriteStep.count()));
        if (ready < 0) throw OverlappedEventException(sp_error::kOverlappedEvent);
        // A step that moved nothing (the wait ran out, or the device woke the
        // write without taking an octet) counts against the budget.
        if (ready == 0 || !attempt()) {
            waited += kWriteStep;
            if (waited >= budget) throw PendingWriteException(sp_error::kPendingWrite);
        }
    }
}

uint32_t Posix_SP_Ovr::read(std::span<uint8_t> buffer, size_t& count, Pending_Read& pending, Read_Times& times) {
    const int descriptor = handle();
    last_read_failure_ = 0;
    if (descriptor == kClosed) return 0;
    times.start = util_time();
    uint32_t status = 0;
    const size_t first = count;
    bool waited_for_first = false;
    while (count < buffer.size()) {
        const ssize_t n = ::read(descriptor, buffer.data() + count, buffer.size() - count);
        if (n > 0) {
            count += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 || errno != EAGAIN) {  // end of input, or a failed read
            last_read_failure_ = n == 0 ? kEndOfInput : errno;
            break;
        }
        if (count == first && !waited_for_first && timeouts().read_total_constant > 0) {
            waited_for_first = true;
            if (poll_for(descriptor, POLLIN, static_cast<int>(timeouts().read_total_constant)) > 0) continue;
        }
        pending.destination = buffer.subspan(count);
        pending.pending = true;
        status = kReadPending;
        break;
    }
    times.end = util_time();
    return status;
}

int Posix_SP_Ovr::complete_pending_read(Pending_Read& pending, size_t& count) {
    const int descriptor = handle();
    if (descriptor == kClosed || !pending.pending) return 0;
    const ssize_t n = ::read(descriptor, pending.destination.data(), pending.destination.size());
    if (n < 0) return 0;
    pending.pending = false;
    count += static_cast<size_t>(n);
    return 1;
}

void Posix_SP_Ovr::read_octet_by_octet(int descriptor, std::span<uint8_t> buffer, size_t& count) const {
    while (count < buffer.size() && ::read(descriptor, buffer.data() + count, 1) == 1) ++count;
}

void Posix_SP_Ovr::wait_and_read(std::span<uint8_t> buffer, size_t& count, Read_Times& times) {
    const int descriptor = handle();
    if (descriptor == kClosed) throw ReadingPortException(sp_error::kErrorReading);
    times.start = util_time();
    pollfd entry{descriptor, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, -1);
    } while (ready < 0 && errno == EINTR);
    read_octet_by_octet(descriptor, buffer, count);
    if (ready > 0 && (entry.revents & POLLIN) && count < buffer.size() &&
        poll_for(descriptor, POLLIN, static_cast<int>(timeouts().read_total_constant)) > 0) {
        // The read left pending after the last octet, given the read time-out.
        if (::read(descriptor, buffer.data() + count, 1) == 1) ++count;
    }
    times.end = util_time();
}
