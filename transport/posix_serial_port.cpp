#include "transport/posix_serial_port.h"

#include <sys/ioctl.h>

#include <cerrno>

#include "transport/sp_exception.h"

namespace {

// A device that has no modem-control lines refuses the line ioctls with one
// of these.
bool no_modem_lines(int error) { return error == ENOTTY || error == EINVAL; }

}  // namespace

void Posix_Serial_Port::require_open() const {
    if (handle() == kClosed) throw InvalidHandleException(sp_error::kInvalidHandle);
}

void Posix_Serial_Port::set_baud_rate(uint16_t baud_rate) {
    require_open();
    if (!termios_speed(baud_rate)) throw InvalidSettingException(sp_error::kInvalidBaudRate);
    settings_.baud_rate = baud_rate;
}

void Posix_Serial_Port::set_data_bits(uint16_t data_bits) {
    require_open();
    if (data_bits < 4 || data_bits > 8) throw InvalidSettingException(sp_error::kInvalidDataBits);
    settings_.data_bits = data_bits;
}

void Posix_Serial_Port::set_parity(char parity) {
    require_open();
    switch (parity) {
        case 'E': settings_.parity = Line_Settings::kEvenParity; break;
        case 'M': settings_.parity = Line_Settings::kMarkParity; break;
        case 'N': settings_.parity = Line_Settings::kNoParity; break;
        case 'O': settings_.parity = Line_Settings::kOddParity; break;
        default: throw InvalidSettingException(sp_error::kInvalidParity);
    }
}

void Posix_Serial_Port::set_stop_bits(uint16_t stop_bits) {
    require_open();
    switch (stop_bits) {
        case 1: settings_.stop_bits = Line_Settings::kOneStopBit; break;
        case 2: settings_.stop_bits = Line_Settings::kTwoStopBits; break;
        case 15: settings_.stop_bits = Line_Settings::kOneAndAHalfStopBits; break;
        default: throw InvalidSettingException(sp_error::kInvalidStopBits);
    }
}

void Posix_Serial_Port::set_dtr(bool on) {
    settings_.dtr_control = on ? Line_Settings::kDtrEnable : Line_Settings::kDtrDisable;
    write_settings();
}

void Posix_Serial_Port::set_rts(bool on) {
    settings_.rts_control = on ? Line_Settings::kRtsHandshake : Line_Settings::kRtsDisable;
    write_settings();
}

void Posix_Serial_Port::read_settings() {
    const int descriptor = handle();
    termios device{};
    if (descriptor == kClosed || tcgetattr(descriptor, &device) != 0)
        throw CommBlockException(sp_error::kCannotGetState);
    settings_.device = device;
    // The lines as the device holds them, so that applying the record does
    // not change them.
    int lines = 0;
    if (ioctl(descriptor, TIOCMGET, &lines) == 0) {
        settings_.dtr_control = (lines & TIOCM_DTR) ? Line_Settings::kDtrEnable : Line_Settings::kDtrDisable;
        settings_.rts_control = (lines & TIOCM_RTS) ? Line_Settings::kRtsEnable : Line_Settings::kRtsDisable;
    }
}

void Posix_Serial_Port::write_settings() {
    const int descriptor = handle();
    const auto wanted = termios_for(settings_);
    if (descriptor == kClosed || !wanted || tcsetattr(descriptor, TCSANOW, &*wanted) != 0)
        throw CommBlockException(sp_error::kCannotSetState);
    // tcsetattr succeeds when the device took any part of the record: read it
    // back to see whether the device changed what it was given.
    termios taken{};
    if (tcgetattr(descriptor, &taken) != 0 || (taken.c_cflag & kLineFlags) != (wanted->c_cflag & kLineFlags) ||
        cfgetispeed(&taken) != cfgetispeed(&*wanted) || cfgetospeed(&taken) != cfgetospeed(&*wanted))
        throw CommBlockException(sp_error::kCannotSetState);
    settings_.device = taken;
    apply_modem_lines(descriptor);
}

void Posix_Serial_Port::apply_modem_lines(int descriptor) const {
    // RTS handshake is input flow control: RTS raised while the station can
    // take input. It is carried out as RTS raised, without the CTS output
    // flow control of CRTSCTS, which would stall a three-wire line.
    const int dtr = TIOCM_DTR;
    const int rts = TIOCM_RTS;
    const bool dtr_on = settings_.dtr_control != Line_Settings::kDtrDisable;
    const bool rts_on = settings_.rts_control != Line_Settings::kRtsDisable;
    if (ioctl(descriptor, dtr_on ? TIOCMBIS : TIOCMBIC, &dtr) != 0 && !no_modem_lines(errno))
        throw CommBlockException(sp_error::kCannotSetState);
    if (ioctl(descriptor, rts_on ? TIOCMBIS : TIOCMBIC, &rts) != 0 && !no_modem_lines(errno))
        throw CommBlockException(sp_error::kCannotSetState);
}
