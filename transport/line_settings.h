// The line-settings record of a serial port and how it maps onto termios.
#pragma once

#include <termios.h>

#include <cstdint>
#include <optional>

struct Line_Settings {
    // Parity codes.
    static constexpr uint8_t kNoParity = 0;
    static constexpr uint8_t kOddParity = 1;
    static constexpr uint8_t kEvenParity = 2;
    static constexpr uint8_t kMarkParity = 3;
    // Stop-bit codes.
    static constexpr uint8_t kOneStopBit = 0;
    static constexpr uint8_t kOneAndAHalfStopBits = 1;
    static constexpr uint8_t kTwoStopBits = 2;
    // DTR control.
    static constexpr uint8_t kDtrDisable = 0;
    static constexpr uint8_t kDtrEnable = 1;
    // RTS control.
    static constexpr uint8_t kRtsDisable = 0;
    static constexpr uint8_t kRtsEnable = 1;
    static constexpr uint8_t kRtsHandshake = 2;

    // The terminal's own record as last read from the device.
    termios device{};
    uint16_t baud_rate = 0;
    uint16_t data_bits = 0;
    uint8_t parity = kNoParity;
    uint8_t stop_bits = kOneStopBit;
    uint8_t dtr_control = kDtrDisable;
    uint8_t rts_control = kRtsDisable;
};

// The termios speed of an accepted baud rate; nothing for any other rate.
std::optional<speed_t> termios_speed(uint16_t baud_rate);

// The device record with the settings applied to it, in raw mode: no line
// editing, echo, signals or output processing, no flow control, reads that
// take any octet (VMIN 1, VTIME 0). Nothing when termios cannot express the
// settings: 4 data bits, one and a half stop bits other than with 5 data bits
// (where a UART sends one and a half for "two"), two stop bits with 5 data
// bits.
std::optional<termios> termios_for(const Line_Settings& settings);

// The bits of c_cflag that termios_for sets from the settings.
inline constexpr tcflag_t kLineFlags = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR;
