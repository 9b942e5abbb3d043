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
}

Line::~Line() {
    receiver_thread_.stop();
    line_port_.close();
    serial_port_.close();
}

bool Line::open_serial_port(const std::string& name, uint16_t baud) {
    receiver_thread_.suspend();
    bool opened = false;
    line_port_.use(nullptr);
    try {
        serial_port_.close();
        serial_port_.open(name, baud, 8, 'N', 1);
        serial_port_.set_dtr(true);
        serial_port_.set_rts(true);
        serial_port_.set_timeouts();
        line_port_.use(std::make_unique<Serial_Line>(serial_port_, name, baud));
        opened = true;
    } catch (const Throwable& refused) {
        // The port's own reason (in use, missing, not a terminal) before
        // the exception's general one.
        const std::string reason = serial_port_.open_failure();
        serial_port_.close();
        std::lock_guard hold(port_error_mutex_);
        port_error_ = reason.empty() ? refused.message() : reason;
    }
    if (opened) {
        std::lock_guard hold(port_error_mutex_);
        port_error_.reset();
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
    line_port_.use(std::move(line));
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
    receiver_.set_stmf(&stmf);
    receiver_thread_.start(std::move(display), std::move(status), line_port_);
    receiver_handle_ = reinterpret_cast<void*>(receiver_thread_.handle());
}

std::optional<Sent_Frame> Line::frame(Link_Type link, std::span<const uint8_t> information, int32_t address,
                                      int32_t group, std::string_view class_name) const {
    std::lock_guard hold(link_lock());
    return data_link_.encode(link, information, address, group, class_name);
}
