#include "transport/line_settings.h"

std::optional<speed_t> termios_speed(uint16_t baud_rate) {
    switch (baud_rate) {
        case 75: return B75;
        case 150: return B150;
        case 300: return B300;
        case 600: return B600;
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        default: return std::nullopt;
    }
}

namespace {

std::optional<tcflag_t> size_flag(uint16_t data_bits) {
    switch (data_bits) {
        case 5: return CS5;
        case 6: return CS6;
        case 7: return CS7;
        case 8: return CS8;
        default: return std::nullopt;
    }
}

std::optional<tcflag_t> stop_flag(uint8_t stop_bits, uint16_t data_bits) {
    switch (stop_bits) {
        case Line_Settings::kOneStopBit: return tcflag_t{0};
        case Line_Settings::kOneAndAHalfStopBits:
            if (data_bits == 5) return tcflag_t{CSTOPB};
            return std::nullopt;
        case Line_Settings::kTwoStopBits:
            if (data_bits == 5) return std::nullopt;
            return tcflag_t{CSTOPB};
        default: return std::nullopt;
    }
}

std::optional<tcflag_t> parity_flags(uint8_t parity) {
    switch (parity) {
        case Line_Settings::kNoParity: return tcflag_t{0};
        case Line_Settings::kOddParity: return tcflag_t{PARENB | PARODD};
        case Line_Settings::kEvenParity: return tcflag_t{PARENB};
        // Stick parity: PARODD with CMSPAR keeps the parity bit at 1.
        case Line_Settings::kMarkParity: return tcflag_t{PARENB | PARODD | CMSPAR};
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<termios> termios_for(const Line_Settings& settings) {
    const auto speed = termios_speed(settings.baud_rate);
    const auto size = size_flag(settings.data_bits);
    const auto stop = stop_flag(settings.stop_bits, settings.data_bits);
    const auto parity = parity_flags(settings.parity);
    if (!speed || !size || !stop || !parity) return std::nullopt;

    termios t = settings.device;
    t.c_iflag &=
        ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(kLineFlags | CRTSCTS);
    t.c_cflag |= *size | *stop | *parity | CLOCAL | CREAD;
    // The descriptor is non-blocking: with VMIN 1 a read that finds nothing
    // fails with EAGAIN, and 0 octets means the line hung up. (VMIN 0 would
    // answer 0 for both.)
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (cfsetispeed(&t, *speed) != 0 || cfsetospeed(&t, *speed) != 0) return std::nullopt;
    return t;
}
