#include "engine/line.h"

#include <mutex>

#include "base/process_locks.h"
#include "base/throwable.h"
#include "engine/request_book.h"
#include "transport/net_endpoint.h"
#include "transport/serial_line.h"
#include "transport/socket_line.h"

Line::Line(Request_Book& book)
    : receiver_(station_, data_link_, field_device_, book.outstanding(), book.errors()) {
    data_link_.attach(Link_Type::ppp, ppp_.framer());
    receiver_.set_ppp(&ppp_);
    receiver_thread_.set_call_line(&modem_calls_);
}

Line::~Line() {
    // A call is hung up properly while the thread still runs; a wait for a
    // call is cut short so the thread stops at once.
    if (modem_.connected())
        hang_up();
    else
        modem_.cancel();
    receiver_thread_.stop();
    line_port_.close();
    serial_port_.close();
}

bool Line::use_serial_port(const std::string& name, uint16_t baud, std::string& failure) {
    line_port_.use(nullptr);
    try {
        serial_port_.close();
        serial_port_.open(name, baud, 8, 'N', 1);
        serial_port_.set_dtr(true);
        serial_port_.set_rts(true);
        serial_port_.set_timeouts();
        line_port_.use(std::make_unique<Serial_Line>(serial_port_, name, baud));
        return true;
    } catch (const Throwable& refused) {
        // The port's own reason (in use, missing, not a terminal) before
        // the exception's general one.
        const std::string reason = serial_port_.open_failure();
        serial_port_.close();
        failure = reason.empty() ? refused.message() : reason;
        return false;
    }
}

bool Line::open_serial_port(const std::string& name, uint16_t baud) {
    receiver_thread_.suspend();
    std::string failure;
    const bool opened = use_serial_port(name, baud, failure);
    if (opened) {
        serial_in_use_ = Serial_In_Use{name, baud};
    } else if (serial_in_use_) {
        // The port that was in use goes on serving.
        std::string ignored;
        if (!use_serial_port(serial_in_use_->name, serial_in_use_->baud, ignored)) serial_in_use_.reset();
    }
    {
        std::lock_guard hold(port_error_mutex_);
        if (opened)
            port_error_.reset();
        else
            port_error_ = failure;
    }
    receiver_thread_.resume();
    return opened;
}

std::optional<std::string> Line::port_error() const {
    std::lock_guard hold(port_error_mutex_);
    return port_error_;
}

bool Line::open_network(const std::string& port_text, Role role) {
    const std::optional<Net_Endpoint> endpoint = parse_endpoint(port_text);
    receiver_thread_.suspend();
    line_port_.use(nullptr);
    serial_port_.close();
    std::string failure;
    std::unique_ptr<Line_Port> line = endpoint ? open_socket_line(*endpoint, role, failure) : nullptr;
    const bool opened = line != nullptr;
    if (opened) {
        line_port_.use(std::move(line));
        serial_in_use_.reset();
    } else if (serial_in_use_) {
        std::string ignored;
        if (!use_serial_port(serial_in_use_->name, serial_in_use_->baud, ignored)) serial_in_use_.reset();
    }
    receiver_thread_.resume();
    return opened;
}

Link_Type Line::link(Connection_Type connection) const {
    switch (connection) {
        case Connection_Type::serial: return Link_Type::pmpp;
        case Connection_Type::network: return line_port_.link();
        default: return Link_Type::ppp;
    }
}

void Line::start_receiver(const STMF& stmf, Display display, Status_Report status) {
    {
        std::lock_guard hold(modem_notice_mutex_);
        display_ = display;
    }
    receiver_.set_stmf(&stmf);
    receiver_thread_.start(std::move(display), std::move(status), line_port_);
    receiver_handle_ = reinterpret_cast<void*>(receiver_thread_.handle());
}

std::optional<Sent_Frame> Line::frame(Link_Type link, std::span<const uint8_t> information, int32_t address,
                                      int32_t group, std::string_view class_name) const {
    std::lock_guard hold(link_lock());
    return data_link_.encode(link, information, address, group, class_name);
}

void Line::use_modem(const std::string& device, uint16_t baud) {
    receiver_thread_.suspend();
    line_port_.use(nullptr);
    serial_port_.close();
    serial_in_use_.reset();
    modem_.set_port(device, baud);
    line_port_.use(std::make_unique<Modem_Line>(modem_));
    receiver_thread_.resume();
}

bool Line::dial() {
    const bool up = modem_.dial();
    connection_state_ = up ? Connection_State::connected : Connection_State::not_connected;
    return up;
}

void Line::hang_up() {
    modem_.hang_up();
    connection_state_ = Connection_State::not_connected;
}

void Line::cancel_modem() {
    // A connected call is left for the orderly hang-up.
    if (!modem_.connected()) modem_.cancel();
}

void Line::set_modem_prompt(Modem_Prompt prompt) {
    std::lock_guard hold(modem_notice_mutex_);
    modem_prompt_ = std::move(prompt);
}

void Line::show_modem_notice(const std::string& title, const std::string& text) {
    Modem_Prompt prompt;
    Display display;
    {
        std::lock_guard hold(modem_notice_mutex_);
        prompt = modem_prompt_;
        display = display_;
    }
    // The prompt may wait for the user: it is called without the display lock.
    if (prompt) {
        prompt(title, text);
    } else if (display) {
        std::lock_guard hold(display_lock());
        display(text);
    }
}
