#include "transport/line_settings.h"

#include <gtest/gtest.h>

namespace {

Line_Settings line(uint16_t baud, uint16_t data_bits, uint8_t parity, uint8_t stop_bits) {
    Line_Settings settings;
    settings.baud_rate = baud;
    settings.data_bits = data_bits;
    settings.parity = parity;
    settings.stop_bits = stop_bits;
    return settings;
}

TEST(LineSettings, AcceptedRatesHaveTheirTermiosSpeeds) {
    const struct {
        uint16_t baud;
        speed_t speed;
    } rates[] = {{75, B75},     {150, B150},   {300, B300},   {600, B600},
                 {1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600}};
    for (const auto& rate : rates) EXPECT_EQ(termios_speed(rate.baud), rate.speed) << rate.baud;
    for (uint16_t other : {0, 110, 19200, 38400, 65535}) EXPECT_FALSE(termios_speed(other)) << other;
}

TEST(LineSettings, CharacterFramesInTheControlFlags) {
    const struct {
        Line_Settings settings;
        tcflag_t flags;
    } cases[] = {
        {line(9600, 8, Line_Settings::kNoParity, Line_Settings::kOneStopBit), CS8},
        {line(9600, 7, Line_Settings::kEvenParity, Line_Settings::kOneStopBit), CS7 | PARENB},
        {line(9600, 7, Line_Settings::kOddParity, Line_Settings::kTwoStopBits), CS7 | PARENB | PARODD | CSTOPB},
        {line(9600, 8, Line_Settings::kMarkParity, Line_Settings::kOneStopBit), CS8 | PARENB | PARODD | CMSPAR},
        {line(75, 6, Line_Settings::kNoParity, Line_Settings::kTwoStopBits), CS6 | CSTOPB},
        {line(300, 5, Line_Settings::kNoParity, Line_Settings::kOneAndAHalfStopBits), CS5 | CSTOPB},
    };
    for (const auto& c : cases) {
        const auto t = termios_for(c.settings);
        ASSERT_TRUE(t) << c.flags;
        EXPECT_EQ(t->c_cflag & kLineFlags, c.flags);
        EXPECT_EQ(cfgetospeed(&*t), *termios_speed(c.settings.baud_rate));
        EXPECT_EQ(cfgetispeed(&*t), *termios_speed(c.settings.baud_rate));
    }
}

TEST(LineSettings, FramesTermiosCannotExpressAreRefused) {
    EXPECT_FALSE(termios_for(line(9600, 4, Line_Settings::kNoParity, Line_Settings::kOneStopBit)));
    EXPECT_FALSE(termios_for(line(9600, 8, Line_Settings::kNoParity, Line_Settings::kOneAndAHalfStopBits)));
    EXPECT_FALSE(termios_for(line(9600, 5, Line_Settings::kNoParity, Line_Settings::kTwoStopBits)));
    EXPECT_FALSE(termios_for(line(19200, 8, Line_Settings::kNoParity, Line_Settings::kOneStopBit)));
    EXPECT_FALSE(termios_for(Line_Settings{}));
}

TEST(LineSettings, TheLineIsRawAndReadsTakeAnyOctet) {
    Line_Settings settings = line(9600, 8, Line_Settings::kNoParity, Line_Settings::kOneStopBit);
    settings.device.c_iflag = ICRNL | IXON | ISTRIP;
    settings.device.c_oflag = OPOST | ONLCR;
    settings.device.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    settings.device.c_cflag = CRTSCTS | HUPCL;
    settings.device.c_cc[VMIN] = 4;
    settings.device.c_cc[VTIME] = 5;
    const auto t = termios_for(settings);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->c_iflag & (ICRNL | IXON | ISTRIP), 0u);
    EXPECT_EQ(t->c_oflag & OPOST, 0u);
    EXPECT_EQ(t->c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t->c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t->c_cflag & (CLOCAL | CREAD | HUPCL), tcflag_t{CLOCAL | CREAD | HUPCL});
    EXPECT_EQ(t->c_cc[VMIN], 1);
    EXPECT_EQ(t->c_cc[VTIME], 0);
}

}  // namespace
