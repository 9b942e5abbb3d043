// The line of the station: the serial port, a network line (a socket) or the
// modem, the
// data link's framers, the sender, the field device and the receiver thread
// that hands each frame to the role's handler.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "base/random_source.h"
#include "datalink/data_link_layer.h"
#include "field/error_injection.h"
#include "field/field_device.h"
#include "field/field_device_settings.h"
#include "transport/modem_line.h"
#include "transport/modem_ovr.h"
#include "transport/receiver_thread.h"
#include "transport/ppp_line.h"
#include "transport/sp_ovr.h"
#include "transport/switched_line.h"
#include "transport/ta_receiver.h"
#include "transport/ta_sender.h"

class Request_Book;
class STMF;

class Line {
public:
    explicit Line(Request_Book& book);
    // Stops the receiver thread and closes the port.
    ~Line();
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // The error injection's choices start from the seed.
    void seed(uint32_t value) { random_.seed(value); }

    // Opens the serial port with the name and baud, 8N1, and makes it
    // ready, holding the receiver thread meanwhile; false when it cannot be
    // had, and then the serial port in use before stays in use.
    bool open_serial_port(const std::string& name, uint16_t baud);
    // Opens the network line a port text names ("udp:HOST:PORT",
    // "tcp:HOST:PORT", "tcp-listen::PORT") for the role, in place of the
    // serial port; false when it cannot be had (the serial port in use
    // stays in use).
    bool open_network(const std::string& port_text, Role role);
    int32_t port_handle() const { return line_port_.handle(); }
    // Why the last serial port open failed; nothing when it opened.
    std::optional<std::string> port_error() const;
    // The link the line in use carries, for the connection type.
    Link_Type link(Connection_Type connection) const;

    // Starts the receiver thread with the codec; ThreadCreationException or
    // ThreadEventException when it cannot be had.
    void start_receiver(const STMF& stmf, Display display, Status_Report status);
    void set_settings(const Receiver_Settings& settings) { receiver_thread_.set_settings(settings); }
    void* receiver_handle() const { return receiver_handle_; }
    void set_receiver_handle(void* handle) { receiver_handle_ = handle; }

    // The frame of a message on the link (the link lock taken); nothing on a
    // link without a framer here.
    std::optional<Sent_Frame> frame(Link_Type link, std::span<const uint8_t> information, int32_t address,
                                    int32_t group, std::string_view class_name) const;
    bool send(std::span<const uint8_t> octets, Connection_Type connection) { return station_.send(octets, connection); }

    void set_error_mode(const Error_Mode& mode) { error_injection_.set(mode); }
    void set_field_community(const std::string& community) { field_settings_.set_community(community); }

    // The PPP layer of the line; callers hold the link lock.
    Ppp_Line& ppp() { return ppp_; }
    const Ppp_Line& ppp() const { return ppp_; }
    // Wakes the receiver thread with the link event.
    void link_event() { receiver_thread_.link_event(); }
    Connection_State connection_state() const { return connection_state_.load(); }

    // The modem on the port (a device path) and baud as the line from now
    // on; its port opens when a call needs it.
    void use_modem(const std::string& device, uint16_t baud);
    Modem_Ovr& modem() { return modem_; }
    const Modem_Ovr& modem() const { return modem_; }
    // Dials the modem's number; the connection state follows the outcome.
    bool dial();
    void hang_up();
    // Ends a dial or a wait for a call in progress (the engine is closing).
    void cancel_modem();
    // Where the modem's messages go: to the prompt when there is one, else
    // to the receiver thread's display.
    using Modem_Prompt = std::function<void(const std::string& title, const std::string& text)>;
    void set_modem_prompt(Modem_Prompt prompt);
    void show_modem_notice(const std::string& title, const std::string& text);

    // For feeding octets straight to the receiver, as the fuzz target does.
    TA_Receiver& receiver() { return receiver_; }
    Error_Mode error_mode() const { return error_injection_.mode(); }

private:
    // Opens the serial port and makes it the line; false (and no line) when
    // it cannot be had. The receiver thread is held by the caller.
    bool use_serial_port(const std::string& name, uint16_t baud, std::string& failure);

    struct Serial_In_Use {
        std::string name;
        uint16_t baud = 0;
    };
    std::optional<Serial_In_Use> serial_in_use_;  // what a refused change goes back to

    Random_Source random_;  // the error injection's choices
    SP_Ovr serial_port_;
    Modem_Ovr modem_{Modem_Settings{}, [this](const std::string& title, const std::string& text) {
                          show_modem_notice(title, text);
                      }};
    Modem_Calls modem_calls_{modem_};
    std::mutex modem_notice_mutex_;
    Modem_Prompt modem_prompt_;  // guarded by modem_notice_mutex_
    Display display_;            // the receiver thread's; guarded by modem_notice_mutex_
    Switched_Line line_port_;  // the serial port or a socket line
    Data_Link_Layer data_link_{random_};
    TA_Sender sender_{line_port_};
    NTCIP_Station station_{sender_};
    Field_Device_Settings field_settings_;
    ErrorInjection error_injection_;
    Field_Device field_device_{field_settings_, error_injection_, data_link_};
    Ppp_Line ppp_{station_, data_link_.framer(Link_Type::pmpp), [this](uint32_t n) { return random_.below(n); }};
    std::atomic<Connection_State> connection_state_{Connection_State::not_connected};
    TA_Receiver receiver_;
    BCCThread_TA_Receiver receiver_thread_{receiver_, connection_state_};
    void* receiver_handle_ = nullptr;
    mutable std::mutex port_error_mutex_;
    std::optional<std::string> port_error_;  // guarded by port_error_mutex_
};
