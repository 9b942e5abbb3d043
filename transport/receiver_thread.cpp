#include "transport/receiver_thread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <exception>
#include <thread>

#include "base/process_locks.h"
#include "transport/sp_ovr.h"
#include "transport/util_time.h"

using namespace receiver_thread_text;

namespace {

void signal_fd(int fd) {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd, &one, sizeof one);
}

void drain_fd(int fd) {
    uint64_t value = 0;
    [[maybe_unused]] const ssize_t got = ::read(fd, &value, sizeof value);
}

}  // namespace

BCCThread_TA_Receiver::BCCThread_TA_Receiver(TA_Receiver& receiver,
                                             std::atomic<Connection_State>& connection_state)
    : receiver_(receiver), connection_state_(connection_state) {}

void BCCThread_TA_Receiver::set_settings(const Receiver_Settings& settings) {
    std::lock_guard hold(settings_mutex_);
    settings_ = settings;
}

Receiver_Settings BCCThread_TA_Receiver::settings() const {
    std::lock_guard hold(settings_mutex_);
    return settings_;
}

BCCThread_TA_Receiver::~BCCThread_TA_Receiver() {
    stop();
    for (int fd : {wake_fd_, link_fd_})
        if (fd >= 0) ::close(fd);
}

void BCCThread_TA_Receiver::display(const std::string& text) const {
    std::lock_guard hold(display_lock());
    if (display_) display_(text);
}

void BCCThread_TA_Receiver::start(Display display, Status_Report status, SP_Ovr& port) {
    if (running()) return;
    if (wake_fd_ < 0) wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (link_fd_ < 0) link_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake_fd_ < 0) throw ThreadEventException(kEventCreation);
    if (link_fd_ < 0) throw ThreadEventException(kCommEventCreation);
    display_ = std::move(display);
    status_ = std::move(status);
    port_ = &port;
    receiver_.set_display([this](const std::string& text) { this->display(text); });
    stop_requested_ = false;
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        throw ThreadCreationException(kThreadCreation);
    }
}

void BCCThread_TA_Receiver::stop() {
    if (!running()) return;
    stop_requested_ = true;
    resume();
    signal_fd(wake_fd_);
    thread_.join();
}

void BCCThread_TA_Receiver::suspend() {
    // On the thread itself (a callback changing the port) there is no pass
    // to wait for: the thread is between reads until the callback returns.
    if (!running() || std::this_thread::get_id() == thread_.get_id()) return;
    std::unique_lock hold(suspend_mutex_);
    suspend_requested_ = true;
    signal_fd(wake_fd_);
    suspend_changed_.wait(hold, [this] { return suspended_; });
}

void BCCThread_TA_Receiver::resume() {
    std::lock_guard hold(suspend_mutex_);
    suspend_requested_ = false;
    suspend_changed_.notify_all();
}

void BCCThread_TA_Receiver::link_event() {
    if (link_fd_ >= 0) signal_fd(link_fd_);
}

void BCCThread_TA_Receiver::wait_while_suspended() {
    std::unique_lock hold(suspend_mutex_);
    if (!suspend_requested_) return;
    suspended_ = true;
    suspend_changed_.notify_all();
    suspend_changed_.wait(hold, [this] { return !suspend_requested_; });
    suspended_ = false;
}

void BCCThread_TA_Receiver::report_status(int remaining) {
    // The link lock is not taken under the status lock.
    const auto [link_state, link_phase] = receiver_.link_state_and_phase();
    std::lock_guard hold(status_lock());
    if (!status_) return;
    const Receiver_Settings now = settings();
    Line_Status line;
    line.connection_type = now.connection_type;
    line.connection_state = connection_state_.load();
    line.port_text = now.connection_type == Connection_Type::modem ? kModemPortText : now.port_name;
    line.link_state = link_state;
    line.link_phase = link_phase;
    line.seconds_remaining = remaining;
    status_(line);
}

void BCCThread_TA_Receiver::run() {
    const Receiver_Settings at_start = settings();
    Receive_Context context;
    context.device_type = at_start.connection_type;
    context.role = at_start.role;
    // The framer is chosen once for the connection.
    if (context.device_type == Connection_Type::serial) {
        receiver_.set_link(at_start.serial_link);
        connection_state_ = Connection_State::connected;
        // A field device on a PPP line opens its side of the link at once.
        if (at_start.serial_link == Link_Type::ppp && context.role == Role::field) {
            context.time_text = util_time();
            receiver_.open_ppp(context);
        }
    } else {
        if (context.device_type != Connection_Type::modem && context.device_type != Connection_Type::network)
            display(kUnknownDevice);
        receiver_.set_link(Link_Type::ppp);
    }

    std::array<uint8_t, kReceiveBuffer> buffer{};
    size_t count = 0;
    int pass = 0;
    int remaining = 0;
    bool port_hung_up = false;
    bool reported_empty = false;  // the empty reads of a line that has gone are reported once
    bool reported_wait_failure = false;
    while (!stop_requested_) {
        wait_while_suspended();
        if (stop_requested_) break;
        if (++pass % kStatusEvery == 0) report_status(remaining);

        const int port = context.device_type == Connection_Type::serial && !port_hung_up ? port_->handle() : -1;
        std::array<pollfd, 3> fds = {pollfd{wake_fd_, POLLIN, 0}, pollfd{link_fd_, POLLIN, 0}, pollfd{port, POLLIN, 0}};
        const nfds_t watched = port >= 0 ? 3 : 2;
        port_hung_up = false;
        const int ready = ::poll(fds.data(), watched, kWaitMilliseconds);
        // No failure ends the thread: a failed wait is reported once, and
        // the next pass comes after the usual wait.
        if (ready < 0 && errno != EINTR) {
            if (!reported_wait_failure) display(kWaitFailed);
            reported_wait_failure = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMilliseconds));
            continue;
        }
        reported_wait_failure = false;
        if (fds[0].revents & POLLIN) {
            drain_fd(wake_fd_);
            continue;
        }
        if (fds[1].revents & POLLIN) {
            drain_fd(link_fd_);
            receiver_.link_event();
        }

        bool idle = true;
        try {
            if (watched == 3 && (fds[2].revents & POLLIN)) {
                Pending_Read pending;
                Read_Times times;
                const size_t before = count;
                port_->read(std::span(buffer).first(buffer.size()), count, pending, times);
                if (count == before) {
                    if (!reported_empty) display(kZeroBytes);
                    reported_empty = true;
                    port_hung_up = true;  // readable without octets: the other side has gone
                } else {
                    reported_empty = false;
                    idle = false;
                }
                context.time_text = util_time();
                while (count > 0) {
                    const size_t taken = receiver_.process_received_octets(std::span(buffer).first(count), context);
                    if (taken == 0) break;
                    count -= taken;
                    std::memmove(buffer.data(), buffer.data() + taken, count);
                    std::memset(buffer.data() + count, 0, buffer.size() - count);
                }
            } else if (watched == 3 && (fds[2].revents & (POLLHUP | POLLERR | POLLNVAL))) {
                port_hung_up = true;
            }
            if (idle) {
                remaining = receiver_.check_time_out(settings().time_out_seconds);
                if (connection_state_ == Connection_State::connected) {
                    context.time_text = util_time();
                    receiver_.idle_pass(context);
                }
            }
        } catch (const std::exception&) {
            // Whatever was being read is dropped with the failure.
            count = 0;
            display(kPassFailed);
        }
    }
}
