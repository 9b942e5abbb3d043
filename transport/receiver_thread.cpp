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
#include <vector>

#include "base/process_locks.h"
#include "transport/call_line.h"
#include "transport/line_port.h"
#include "transport/outstanding_requests.h"
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

void BCCThread_TA_Receiver::start(Display display, Status_Report status, Line_Port& line) {
    if (running()) return;
    if (wake_fd_ < 0) wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (link_fd_ < 0) link_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake_fd_ < 0) throw ThreadEventException(kEventCreation);
    if (link_fd_ < 0) throw ThreadEventException(kCommEventCreation);
    display_ = std::move(display);
    status_ = std::move(status);
    port_ = &line;
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

bool BCCThread_TA_Receiver::line_hung_up() {
    const std::string why = port_->hang_up();
    if (why.empty()) return false;
    line_watch_.lost(steady_milliseconds());
    display(kLineLost + settings().port_name + " (" + why + ")" + kLineLostThen);
    receiver_.line_lost();
    return true;
}

void BCCThread_TA_Receiver::retry_line() {
    if (!line_watch_.retry_due(steady_milliseconds())) return;
    if (!port_->reopen()) {
        line_watch_.failed(steady_milliseconds());
        return;
    }
    line_watch_.back();
    display(kLineBack + settings().port_name + kLineBackThen);
}

void BCCThread_TA_Receiver::run() {
    const Receiver_Settings at_start = settings();
    Receive_Context context;
    context.device_type = at_start.connection_type;
    context.role = at_start.role;
    // The framer is chosen once for the connection: a network line's own
    // (again when the line changes), PMPP on a serial port, PPP on a modem.
    Link_Type link = Link_Type::pmpp;
    const auto choose_link = [&] {
        link = context.device_type == Connection_Type::serial    ? at_start.serial_link
               : context.device_type == Connection_Type::network ? port_->link()
                                                                 : Link_Type::ppp;
        receiver_.set_link(link);
    };
    if (context.device_type != Connection_Type::serial && context.device_type != Connection_Type::modem &&
        context.device_type != Connection_Type::network)
        display(kUnknownDevice);
    choose_link();
    if (context.device_type != Connection_Type::modem) connection_state_ = Connection_State::connected;
    // A field device on a PPP line opens its side of the link at once.
    if (link == Link_Type::ppp && context.device_type == Connection_Type::serial && context.role == Role::field) {
        context.time_text = util_time();
        receiver_.open_ppp(context);
    }

    std::array<uint8_t, kReceiveBuffer> buffer{};
    std::vector<uint8_t> datagram(kLongestDatagram);
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

        // A port changed between a serial device and a network line
        // changes the connection, and with it the framer.
        const Connection_Type now = settings().connection_type;
        if (now != context.device_type && now != Connection_Type::modem &&
            context.device_type != Connection_Type::modem) {
            context.device_type = now;
            choose_link();
        }
        if (context.device_type == Connection_Type::network && port_->link() != link) choose_link();
        if (line_watch_.down()) retry_line();
        const std::string notice = port_->take_notice();
        if (!notice.empty()) display(notice);
        if (context.device_type == Connection_Type::modem && modem_pass(context)) count = 0;
        const bool call_down = context.device_type == Connection_Type::modem && call_seen_ == 0;
        const int port = !call_down && !port_hung_up ? port_->handle() : -1;
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
                const size_t before = count;
                if (link == Link_Type::none) {
                    // One datagram, one message; it never shares the stream buffer.
                    size_t got = 0;
                    if (port_->read(datagram, got) == Read_Outcome::octets) {
                        context.time_text = util_time();
                        receiver_.process_datagram(std::span(datagram).first(got), context);
                        idle = false;
                    }
                    remaining = receiver_.check_time_out(settings().time_out_seconds);
                    continue;
                }
                const Read_Outcome outcome = port_->read(std::span(buffer).first(buffer.size()), count);
                if (outcome == Read_Outcome::closed && context.device_type == Connection_Type::serial &&
                    line_hung_up()) {
                    count = 0;
                } else if (outcome == Read_Outcome::closed) {
                    // Readable without octets: the other side has gone. A
                    // socket line says so in its notice.
                    if (!reported_empty && context.device_type == Connection_Type::serial) display(kZeroBytes);
                    reported_empty = true;
                    port_hung_up = true;
                    // A connection's unfinished frame does not run into the next one's.
                    if (context.device_type == Connection_Type::network) {
                        receiver_.set_link(link);
                        count = 0;
                    }
                } else if (count != before) {
                    reported_empty = false;
                    idle = false;
                }
                context.time_text = util_time();
                context.at_ms = steady_milliseconds();
                while (count > 0) {
                    const size_t taken = receiver_.process_received_octets(std::span(buffer).first(count), context);
                    if (taken == 0) break;
                    count -= taken;
                    std::memmove(buffer.data(), buffer.data() + taken, count);
                    std::memset(buffer.data() + count, 0, buffer.size() - count);
                }
            } else if (watched == 3 && (fds[2].revents & (POLLHUP | POLLERR | POLLNVAL))) {
                if (context.device_type == Connection_Type::serial && line_hung_up())
                    count = 0;
                else
                    port_hung_up = true;
            }
            // Every pass, busy or idle: octets that keep arriving (noise, a
            // chattering device) must not keep a request from timing out.
            remaining = receiver_.check_time_out(settings().time_out_seconds);
            if (idle) receiver_.report_stray_octets();
            if (idle && connection_state_ == Connection_State::connected) {
                context.time_text = util_time();
                receiver_.idle_pass(context);
            }
        } catch (const std::exception&) {
            // Whatever was being read is dropped with the failure.
            count = 0;
            display(kPassFailed);
        }
    }
}

bool BCCThread_TA_Receiver::modem_pass(Receive_Context& context) {
    if (calls_ == nullptr) return false;
    try {
        if (calls_->current_call() == 0 && context.role == Role::field && !stop_requested_) calls_->answer_call();
    } catch (const std::exception&) {
        display(kPassFailed);
    }
    const uint64_t call = calls_->current_call();
    if (call == call_seen_) return false;
    context.time_text = util_time();
    // A call starts without a frame under assembly.
    receiver_.set_link(Link_Type::ppp);
    if (call_seen_ != 0) {
        connection_state_ = Connection_State::not_connected;
        display(kCallEnded);
        receiver_.ppp_lower_down(context);
    }
    call_seen_ = call;
    if (call != 0) {
        connection_state_ = Connection_State::connected;
        display(kCallConnected);
        if (context.role == Role::field) receiver_.open_ppp(context);
    }
    return true;
}
