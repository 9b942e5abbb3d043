// The state of a serial port on a POSIX terminal device and the operations
// on its line settings. The settings are checked and stored in the record;
// open and the DTR and RTS controls apply the record to the device.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "transport/line_settings.h"
#include "transport/serial_port_imp.h"

class Posix_Serial_Port : public Serial_Port_Imp {
public:
    static constexpr int kClosed = -1;
    static constexpr const char* kDefaultName = "COM1";

    Posix_Serial_Port() = default;
    Posix_Serial_Port(const Posix_Serial_Port&) = delete;
    Posix_Serial_Port& operator=(const Posix_Serial_Port&) = delete;

    // The descriptor of the open device; kClosed when the port is closed.
    int handle() const { return handle_.load(std::memory_order_acquire); }
    const std::string& name() const { return name_; }
    const Line_Settings& settings() const { return settings_; }
    const Port_Timeouts& timeouts() const { return timeouts_; }

    // Each throws InvalidHandleException on a closed port before it looks at
    // the value, and InvalidSettingException for a value it does not accept
    // (the record then keeps its earlier value).
    void set_baud_rate(uint16_t baud_rate);  // 75, 150, 300, 600, 1200, 2400, 4800, 9600
    void set_data_bits(uint16_t data_bits);  // 4 to 8
    void set_parity(char parity);            // 'E', 'M', 'N', 'O'
    void set_stop_bits(uint16_t stop_bits);  // 1, 2, 15 (one and a half)

    // DTR enabled or disabled, RTS handshake or disabled; then the record is
    // applied (CommBlockException when it cannot be). A device without
    // modem-control lines, such as a pseudo-terminal, has no lines to drive.
    void set_dtr(bool on);
    void set_rts(bool on);

protected:
    // Reads the device's record (CommBlockException "Could not get comm port state.").
    void read_settings();
    // Applies the record to the device and checks that the device took it
    // (CommBlockException "Could not set comm port state.").
    void write_settings();

    void set_handle(int descriptor) { handle_.store(descriptor, std::memory_order_release); }
    void set_name(const std::string& name) { name_ = name; }
    Port_Timeouts& mutable_timeouts() { return timeouts_; }

private:
    void require_open() const;
    void apply_modem_lines(int descriptor) const;

    std::string name_ = kDefaultName;
    std::atomic<int> handle_{kClosed};
    Port_Timeouts timeouts_;
    Line_Settings settings_;
};
