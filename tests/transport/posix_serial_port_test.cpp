#include "transport/posix_serial_port.h"

#include <gtest/gtest.h>

#include "tests/support/pty_pair.h"
#include "tests/support/thrown_text.h"
#include "transport/posix_sp_ovr.h"
#include "transport/sp_exception.h"

namespace {

class Port_Settings : public ::testing::Test {
protected:
    void open() { port.open(pty.terminal_name(), 9600, 8, 'N', 1); }

    Pty_Pair pty;
    Posix_SP_Ovr port{std::chrono::milliseconds(0)};
};

TEST_F(Port_Settings, AClosedPortRefusesEverySettingBeforeLookingAtTheValue) {
    for (uint16_t baud : {9600, 19200})
        EXPECT_EQ(thrown_text<InvalidHandleException>([&] { port.set_baud_rate(baud); }), sp_error::kInvalidHandle);
    for (uint16_t bits : {8, 9})
        EXPECT_EQ(thrown_text<InvalidHandleException>([&] { port.set_data_bits(bits); }), sp_error::kInvalidHandle);
    for (char parity : {'N', 'S'})
        EXPECT_EQ(thrown_text<InvalidHandleException>([&] { port.set_parity(parity); }), sp_error::kInvalidHandle);
    for (uint16_t stop : {1, 3})
        EXPECT_EQ(thrown_text<InvalidHandleException>([&] { port.set_stop_bits(stop); }), sp_error::kInvalidHandle);
    // The lines are applied at once; a closed port cannot take them.
    EXPECT_EQ(thrown_text<CommBlockException>([&] { port.set_dtr(true); }), sp_error::kCannotSetState);
    EXPECT_EQ(thrown_text<CommBlockException>([&] { port.set_rts(true); }), sp_error::kCannotSetState);
}

TEST_F(Port_Settings, AcceptedValuesAndTheirCodes) {
    open();
    const struct {
        uint16_t baud;
        uint16_t data_bits;
        char parity;
        uint8_t parity_code;
        uint16_t stop_bits;
        uint8_t stop_code;
    } cases[] = {
        {75, 4, 'E', Line_Settings::kEvenParity, 1, Line_Settings::kOneStopBit},
        {150, 5, 'M', Line_Settings::kMarkParity, 2, Line_Settings::kTwoStopBits},
        {1200, 7, 'O', Line_Settings::kOddParity, 15, Line_Settings::kOneAndAHalfStopBits},
        {9600, 8, 'N', Line_Settings::kNoParity, 1, Line_Settings::kOneStopBit},
    };
    for (const auto& c : cases) {
        port.set_baud_rate(c.baud);
        port.set_data_bits(c.data_bits);
        port.set_parity(c.parity);
        port.set_stop_bits(c.stop_bits);
        EXPECT_EQ(port.settings().baud_rate, c.baud);
        EXPECT_EQ(port.settings().data_bits, c.data_bits);
        EXPECT_EQ(port.settings().parity, c.parity_code);
        EXPECT_EQ(port.settings().stop_bits, c.stop_code);
    }
}

TEST_F(Port_Settings, RefusedValuesKeepTheEarlierOnes) {
    open();
    for (uint16_t baud : {0, 110, 14400, 19200, 38400})
        EXPECT_EQ(thrown_text<InvalidSettingException>([&] { port.set_baud_rate(baud); }), sp_error::kInvalidBaudRate);
    for (uint16_t bits : {0, 3, 9, 16})
        EXPECT_EQ(thrown_text<InvalidSettingException>([&] { port.set_data_bits(bits); }), sp_error::kInvalidDataBits);
    for (char parity : {'S', 'e', 'n', ' ', '\0'})
        EXPECT_EQ(thrown_text<InvalidSettingException>([&] { port.set_parity(parity); }), sp_error::kInvalidParity);
    for (uint16_t stop : {0, 3, 5, 10, 16})
        EXPECT_EQ(thrown_text<InvalidSettingException>([&] { port.set_stop_bits(stop); }), sp_error::kInvalidStopBits);
    EXPECT_EQ(port.settings().baud_rate, 9600);
    EXPECT_EQ(port.settings().data_bits, 8);
    EXPECT_EQ(port.settings().parity, Line_Settings::kNoParity);
    EXPECT_EQ(port.settings().stop_bits, Line_Settings::kOneStopBit);
    EXPECT_NE(port.handle(), Posix_Serial_Port::kClosed);
}

TEST_F(Port_Settings, DtrAndRtsAreKeptOnALineWithoutModemControl) {
    open();
    port.set_dtr(true);
    port.set_rts(true);
    EXPECT_EQ(port.settings().dtr_control, Line_Settings::kDtrEnable);
    EXPECT_EQ(port.settings().rts_control, Line_Settings::kRtsHandshake);
    port.set_dtr(false);
    port.set_rts(false);
    EXPECT_EQ(port.settings().dtr_control, Line_Settings::kDtrDisable);
    EXPECT_EQ(port.settings().rts_control, Line_Settings::kRtsDisable);
}

}  // namespace
