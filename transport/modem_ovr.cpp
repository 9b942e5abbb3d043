#include "transport/modem_ovr.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <algorithm>
#include <thread>

#include "transport/dial_plan.h"
#include "transport/sp_exception.h"

namespace {

constexpr const char* kEscape = "+++";
constexpr const char* kHangUp = "ATH0";
constexpr const char* kAnswer = "ATA";
constexpr const char* kDial = "ATD";
// A partial dial: the modem goes back to command mode, off hook.
constexpr const char* kStayOffHook = ";";
// The station answers on RING itself.
constexpr const char* kNoAutoAnswer = "ATS0=0";

std::vector<uint8_t> command_octets(const std::string& text) {
    std::vector<uint8_t> octets(text.begin(), text.end());
    octets.push_back('\r');
    return octets;
}

}  // namespace

Modem_Ovr::Modem_Ovr(Modem_Settings settings, Notify notify, std::chrono::milliseconds settle_before_open)
    : settings_(std::move(settings)),
      notify_(std::move(notify)),
      port_(settle_before_open),
      cancel_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void Modem_Ovr::cancel() {
    cancelled_ = true;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(cancel_fd_, &one, sizeof one);
}

// A dial or an answer starts without an earlier cancel.
void Modem_Ovr::start_attempt() {
    cancelled_ = false;
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t taken = ::read(cancel_fd_, &count, sizeof count);
}

Modem_Ovr::~Modem_Ovr() {
    try {
        close();
    } catch (...) {
        // a port that fails while closing has nothing left to release
    }
    if (cancel_fd_ >= 0) ::close(cancel_fd_);
}

void Modem_Ovr::set_port(const std::string& name, uint16_t baud_rate) {
    std::lock_guard lock(mutex_);
    port_name_ = name;
    baud_rate_ = baud_rate;
    // The next dial or answer opens the port with these settings.
    if (!connected()) {
        port_.close();
        answer_ready_ = false;
    }
}

void Modem_Ovr::set_number(const std::string& number) {
    std::lock_guard lock(mutex_);
    number_ = number;
}

void Modem_Ovr::set_settings(const Modem_Settings& settings) {
    std::lock_guard lock(mutex_);
    settings_ = settings;
    // A field device initialises the modem again with the new string.
    if (!connected()) answer_ready_ = false;
}

Modem_Settings Modem_Ovr::settings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

std::string Modem_Ovr::number() const {
    std::lock_guard lock(mutex_);
    return number_;
}

int Modem_Ovr::handle() const { return connected() ? port_.handle() : Posix_Serial_Port::kClosed; }

void Modem_Ovr::fail(Modem_Notice notice, const std::string& detail) {
    const Modem_Notice_Text& entry = modem_notice_text(notice);
    if (silent_ || cancelled_) return;
    std::string text = entry.text;
    if (!detail.empty()) text += " " + detail;
    if (notify_) notify_(entry.title, text);
}

void Modem_Ovr::notice_for(Modem_Response response) {
    switch (response) {
        case Modem_Response::busy: fail(Modem_Notice::busy); break;
        case Modem_Response::no_answer: fail(Modem_Notice::no_answer); break;
        case Modem_Response::no_dialtone: fail(Modem_Notice::no_dialtone); break;
        case Modem_Response::no_carrier:
        case Modem_Response::ok: fail(Modem_Notice::no_carrier); break;
        case Modem_Response::error: fail(Modem_Notice::refused); break;
        case Modem_Response::connect:
        case Modem_Response::ring:
        case Modem_Response::other: fail(Modem_Notice::not_in_time); break;
    }
}

bool Modem_Ovr::open_port() {
    if (port_.handle() != Posix_Serial_Port::kClosed) return true;
    try {
        port_.open(port_name_, baud_rate_, 8, 'N', 1);
        port_.set_timeouts();
        port_.set_dtr(true);
    } catch (const SP_Exception&) {
        port_.close();
        fail(Modem_Notice::port_unusable);
        return false;
    }
    lines_.clear();
    return true;
}

void Modem_Ovr::send(const std::string& text) { port_.write(command_octets(text)); }

Modem_Response Modem_Ovr::await_result(std::chrono::milliseconds patience) {
    const auto deadline = Clock::now() + patience;
    std::vector<uint8_t> chunk(256);
    for (;;) {
        std::string line;
        while (lines_.next_line(line)) {
            const Modem_Response response = classify_modem_line(line);
            if (response != Modem_Response::other) return response;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0 || cancelled_) return Modem_Response::other;
        pollfd entries[2] = {{port_.handle(), POLLIN, 0}, {cancel_fd_, POLLIN, 0}};
        if (::poll(entries, 2, static_cast<int>(left.count())) <= 0 || entries[1].revents != 0) continue;
        size_t count = 0;
        Pending_Read pending;
        Read_Times times;
        port_.read(chunk, count, pending, times);
        if (count == 0 && (entries[0].revents & (POLLHUP | POLLERR))) return Modem_Response::other;  // no modem there
        lines_.feed(std::span<const uint8_t>(chunk).first(count));
    }
}

Modem_Response Modem_Ovr::await_final(int rounds) {
    for (int round = 0; round < rounds && !cancelled_; ++round) {
        const Modem_Response response = await_result(settings_.wait_step);
        if (response != Modem_Response::other && response != Modem_Response::ring) return response;
    }
    return Modem_Response::other;
}

bool Modem_Ovr::command(const std::string& text, std::chrono::milliseconds patience) {
    send(text);
    return await_result(patience) == Modem_Response::ok;
}

bool Modem_Ovr::initialise() {
    lines_.clear();
    tcflush(port_.handle(), TCIFLUSH);
    send(settings_.init_string);
    const Modem_Response response = await_result(settings_.wait_step);
    if (response == Modem_Response::ok) return true;
    if (response == Modem_Response::other)
        fail(Modem_Notice::not_a_data_modem);
    else
        fail(Modem_Notice::refused, settings_.init_string);
    return false;
}

bool Modem_Ovr::dial() {
    std::lock_guard lock(mutex_);
    start_attempt();
    try {
        return dial_locked();
    } catch (const SP_Exception&) {
        fail(Modem_Notice::port_unusable);
        connected_ = false;
        port_.close();
        return false;
    }
}

bool Modem_Ovr::dial_locked() {
    if (connected()) {
        fail(Modem_Notice::line_in_use);
        return true;
    }
    if (number_.empty()) {
        fail(Modem_Notice::no_number);
        return false;
    }
    if (!open_port() || !initialise()) return false;
    answer_ready_ = false;

    std::string undialable = undialable_modifiers(settings_.dials_itself);
    std::string rest = number_;
    for (;;) {
        const Dial_Part part = first_dial_part(rest, undialable);
        const bool last = part.pause == 0;
        const std::string text = kDial + part.digits + (last ? "" : kStayOffHook);
        send(text);
        call_pending_ = true;
        const Modem_Response response = await_final(settings_.connect_waits);
        if (response == Modem_Response::error) {
            // A modem that refuses a modifier refuses the whole command: the
            // station pauses at that modifier from now on and dials again.
            if (const auto modifier = refusable_modifier(part.digits, undialable)) {
                call_pending_ = false;
                undialable.push_back(*modifier);
                continue;
            }
            fail(Modem_Notice::refused, text);
        } else if (last && response == Modem_Response::connect) {
            return connect_call();
        } else if (!last && response == Modem_Response::ok) {
            call_pending_ = false;
            if (notify_) notify_(kDialingPausedTitle, std::string(*dial_prompt(part.pause)));
            rest.erase(0, part.digits.size() + 1);
            continue;
        } else {
            notice_for(response);
        }
        hang_up_locked();
        return false;
    }
}

bool Modem_Ovr::answer(std::chrono::milliseconds for_ring) {
    std::lock_guard lock(mutex_);
    if (connected()) return true;
    start_attempt();
    try {
        if (!answer_ready_) {
            silent_ = answer_trouble_shown_;
            answer_ready_ = prepare_for_calls();
            silent_ = false;
            answer_trouble_shown_ = !answer_ready_;
            if (!answer_ready_) return false;
        }
        const auto deadline = Clock::now() + for_ring;
        for (;;) {
            const auto left = std::max(std::chrono::milliseconds(0),
                                       std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
            const Modem_Response response = await_result(left);
            if (response == Modem_Response::other) return false;  // no call yet
            if (response == Modem_Response::connect) return connect_call();
            if (response == Modem_Response::ring) break;
        }
        send(kAnswer);
        call_pending_ = true;
        const Modem_Response response = await_final(settings_.answer_waits);
        if (response == Modem_Response::connect) return connect_call();
        notice_for(response);
        hang_up_locked();
        return false;
    } catch (const SP_Exception&) {
        silent_ = false;
        fail(Modem_Notice::port_unusable);
        connected_ = false;
        answer_ready_ = false;
        port_.close();
        return false;
    }
}

bool Modem_Ovr::prepare_for_calls() {
    if (!open_port() || !initialise()) return false;
    if (command(kNoAutoAnswer, settings_.wait_step)) return true;
    fail(Modem_Notice::refused, kNoAutoAnswer);
    return false;
}

bool Modem_Ovr::connect_call() {
    early_data_ = lines_.take_rest();
    carrier_watch_.clear();
    call_pending_ = false;
    int lines = 0;
    dcd_watched_ = ioctl(port_.handle(), TIOCMGET, &lines) == 0 && (lines & TIOCM_CAR) != 0;
    connected_ = true;
    return true;
}

bool Modem_Ovr::dcd_low() const {
    int lines = 0;
    return ioctl(port_.handle(), TIOCMGET, &lines) == 0 && (lines & TIOCM_CAR) == 0;
}

void Modem_Ovr::hang_up() {
    std::lock_guard lock(mutex_);
    try {
        hang_up_locked();
    } catch (const SP_Exception&) {
        connected_ = false;
        port_.close();
    }
}

void Modem_Ovr::hang_up_locked() {
    const bool was_connected = connected();
    connected_ = false;
    early_data_.clear();
    carrier_watch_.clear();
    answer_ready_ = false;
    if (port_.handle() == Posix_Serial_Port::kClosed) return;
    lines_.clear();
    if (was_connected) {
        // Back to command mode: silence, the escape, silence.
        std::this_thread::sleep_for(settings_.guard_time);
        port_.write(std::span(reinterpret_cast<const uint8_t*>(kEscape), 3));
        await_result(settings_.guard_time + settings_.wait_step);
    } else if (call_pending_) {
        // Any character abandons a dial or an answer in progress.
        port_.write(command_octets(""));
        await_result(settings_.wait_step);
    }
    call_pending_ = false;
    // Also after an escape that went unanswered: the modem may be in command
    // mode already (its carrier gone) and takes "ATH" after the "+++".
    if (!command(kHangUp, settings_.wait_step)) drop_dtr();
    lines_.clear();
}

void Modem_Ovr::drop_dtr() {
    // A modem set to &D2 hangs up when DTR drops; closing the port drops it
    // too (HUPCL), and is all a line without modem-control lines has.
    try {
        port_.set_dtr(false);
    } catch (const SP_Exception&) {
        // closing drops DTR all the same
    }
    port_.close();
}

void Modem_Ovr::watch_carrier(std::span<const uint8_t> octets) {
    if (!carrier_watch_.seen_in(octets) && !(dcd_watched_ && dcd_low())) return;
    connected_ = false;
    fail(Modem_Notice::carrier_lost);
    hang_up_locked();
}

uint32_t Modem_Ovr::read(std::span<uint8_t> buffer, size_t& count, Pending_Read& pending, Read_Times& times) {
    // A dial, answer or hang-up holds the lock for seconds: the receiver
    // reads nothing meanwhile rather than wait for it.
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock() || !connected() || count >= buffer.size()) return 0;
    const size_t before = count;
    uint32_t status = 0;
    if (!early_data_.empty()) {
        const size_t taken = std::min(early_data_.size(), buffer.size() - count);
        std::copy_n(early_data_.begin(), taken, buffer.begin() + static_cast<std::ptrdiff_t>(count));
        early_data_.erase(early_data_.begin(), early_data_.begin() + static_cast<std::ptrdiff_t>(taken));
        count += taken;
    } else {
        status = port_.read(buffer, count, pending, times);
    }
    try {
        watch_carrier(buffer.subspan(before, count - before));
    } catch (const SP_Exception&) {
        port_.close();
    }
    return status;
}

int Modem_Ovr::complete_pending_read(Pending_Read& pending, size_t& count) {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock() || !connected()) return 0;
    const size_t before = count;
    const std::span<uint8_t> destination = pending.destination;
    const int completed = port_.complete_pending_read(pending, count);
    if (completed == 1) {
        try {
            watch_carrier(destination.first(std::min(destination.size(), count - before)));
        } catch (const SP_Exception&) {
            port_.close();
        }
    }
    return completed;
}

void Modem_Ovr::write(std::span<const uint8_t> octets) {
    std::lock_guard lock(mutex_);
    if (!connected()) throw WritingPortException(sp_error::kErrorWriting);
    port_.write(octets);
}

void Modem_Ovr::close() {
    std::lock_guard lock(mutex_);
    if (connected()) hang_up_locked();
    port_.close();
    answer_ready_ = false;
}
