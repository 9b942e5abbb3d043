#include "transport/posix_sp_ovr.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"
#include "tests/support/thrown_text.h"
#include "transport/sp_exception.h"

namespace {

using Octets = std::vector<uint8_t>;

class Port : public ::testing::Test {
protected:
    void open(uint16_t baud = 9600, uint16_t data_bits = 8, char parity = 'N', uint16_t stop_bits = 1) {
        port.open(pty.terminal_name(), baud, data_bits, parity, stop_bits);
    }

    // Waits until the port has octets to read (or patience runs out).
    bool arrived() const {
        pollfd entry{port.handle(), POLLIN, 0};
        return poll(&entry, 1, static_cast<int>(Pty_Pair::kPatience.count())) > 0;
    }

    // Reads through the port until count octets have come.
    Octets read_through_port(size_t count) {
        Octets buffer(count);
        size_t got = 0;
        while (got < count && arrived()) {
            Pending_Read pending;
            Read_Times times;
            port.read(buffer, got, pending, times);
            EXPECT_FALSE(times.start.empty());
            EXPECT_FALSE(times.end.empty());
        }
        buffer.resize(got);
        return buffer;
    }

    // Fills the line until the far end, which does not read, takes no more:
    // the kernel moves octets on to the far end behind the writes, so the
    // line is full once it stays unwritable.
    void fill_line() {
        const Octets chunk(4096, 0x55);
        for (;;) {
            while (::write(port.handle(), chunk.data(), chunk.size()) > 0) {
            }
            ASSERT_EQ(errno, EAGAIN);
            pollfd entry{port.handle(), POLLOUT, 0};
            if (poll(&entry, 1, kStaysFull) == 0) return;
        }
    }
    static constexpr int kStaysFull = 1000;  // ms

    Pty_Pair pty;
    Posix_SP_Ovr port{std::chrono::milliseconds(0)};
};

TEST_F(Port, OpenAppliesTheLineSettingsToTheTerminal) {
    EXPECT_EQ(port.handle(), Posix_Serial_Port::kClosed);
    open(4800, 8, 'N', 2);
    EXPECT_NE(port.handle(), Posix_Serial_Port::kClosed);
    EXPECT_EQ(port.name(), pty.terminal_name());
    const termios line = pty.terminal_settings();
    EXPECT_EQ(cfgetospeed(&line), B4800);
    EXPECT_EQ(line.c_cflag & kLineFlags, tcflag_t{CS8 | CSTOPB});
    EXPECT_EQ(line.c_lflag & ICANON, 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
}

TEST_F(Port, OpeningAnOpenPortIsRefusedAndLeavesItOpen) {
    open();
    const int handle = port.handle();
    EXPECT_EQ(thrown_text<CommOpenException>([&] { open(); }), sp_error::kErrorOpening);
    EXPECT_EQ(port.handle(), handle);
}

TEST_F(Port, DevicesThatCannotBeHadLeaveThePortClosed) {
    Temp_Dir dir;
    dir.write("not-a-tty", "plain file");
    for (const std::string& name : {std::string("/dev/quorvan-no-such-port"), dir.file("not-a-tty"), std::string()}) {
        EXPECT_EQ(thrown_text<OpeningPortException>([&] { port.open(name, 9600, 8, 'N', 1); }),
                  sp_error::kErrorOpening);
        EXPECT_EQ(port.handle(), Posix_Serial_Port::kClosed) << name;
    }
}

TEST_F(Port, APortIsOneStationsAlone) {
    open();
    Posix_SP_Ovr other{std::chrono::milliseconds(0)};
    EXPECT_EQ(thrown_text<OpeningPortException>([&] { other.open(pty.terminal_name(), 9600, 8, 'N', 1); }),
              sp_error::kErrorOpening);
    port.close();
    EXPECT_EQ(port.handle(), Posix_Serial_Port::kClosed);
    other.open(pty.terminal_name(), 9600, 8, 'N', 1);
    EXPECT_NE(other.handle(), Posix_Serial_Port::kClosed);
}

TEST_F(Port, ARefusedValueAtOpenLeavesThePortOpenWithItsEarlierSettings) {
    open(2400);
    port.close();
    EXPECT_EQ(thrown_text<InvalidSettingException>([&] { open(19200); }), sp_error::kInvalidBaudRate);
    EXPECT_NE(port.handle(), Posix_Serial_Port::kClosed);
    EXPECT_EQ(port.settings().baud_rate, 2400);
    const termios line = pty.terminal_settings();
    EXPECT_EQ(cfgetospeed(&line), B2400);
}

TEST_F(Port, SettingsTheTerminalRefusesAreACommBlock) {
    // A pseudo-terminal keeps eight data bits and no parity whatever it is
    // given; termios has no four-bit or 1.5-stop-bit frame of eight bits.
    const struct {
        uint16_t data_bits;
        char parity;
        uint16_t stop_bits;
    } refused[] = {{7, 'N', 1}, {8, 'E', 1}, {8, 'M', 1}, {4, 'N', 1}, {8, 'N', 15}};
    for (const auto& r : refused) {
        port.close();
        EXPECT_EQ(thrown_text<CommBlockException>([&] { open(9600, r.data_bits, r.parity, r.stop_bits); }),
                  sp_error::kCannotSetState);
        EXPECT_NE(port.handle(), Posix_Serial_Port::kClosed);
    }
}

TEST_F(Port, ResetReopensWithOtherSettings) {
    open(9600, 8, 'N', 1);
    port.reset(pty.terminal_name(), 75, 8, 'N', 2);
    EXPECT_NE(port.handle(), Posix_Serial_Port::kClosed);
    termios line = pty.terminal_settings();
    EXPECT_EQ(cfgetospeed(&line), B75);
    EXPECT_EQ(line.c_cflag & CSTOPB, tcflag_t{CSTOPB});

    // A closed port is simply opened.
    port.close();
    port.reset(pty.terminal_name(), 1200, 8, 'N', 1);
    line = pty.terminal_settings();
    EXPECT_EQ(cfgetospeed(&line), B1200);
    EXPECT_EQ(line.c_cflag & CSTOPB, 0u);
}

TEST_F(Port, CloseIsIdempotentAndTheDestructorCloses) {
    {
        Posix_SP_Ovr scoped{std::chrono::milliseconds(0)};
        scoped.open(pty.terminal_name(), 9600, 8, 'N', 1);
    }
    open();
    port.close();
    port.close();
    EXPECT_EQ(port.handle(), Posix_Serial_Port::kClosed);
}

TEST_F(Port, TimeoutsNeedAnOpenPort) {
    EXPECT_EQ(thrown_text<SettingTimeoutException>([&] { port.set_timeouts(); }), sp_error::kCannotSetTimeouts);
    open();
    port.set_timeouts();
    EXPECT_EQ(port.timeouts().read_interval, 0xFFFFFFFFu);
    EXPECT_EQ(port.timeouts().read_total_multiplier, 0xFFFFFFFFu);
    EXPECT_EQ(port.timeouts().read_total_constant, 10u);
    EXPECT_EQ(port.timeouts().write_total_multiplier, 0u);
    EXPECT_EQ(port.timeouts().write_total_constant, 0u);
}

TEST_F(Port, WrittenOctetsReachTheFarEndAsTheyWere) {
    open();
    Octets every_octet;
    for (unsigned octet = 0; octet < 256; ++octet) every_octet.push_back(static_cast<uint8_t>(octet));
    port.write(every_octet);
    port.write(Octets{});
    EXPECT_EQ(pty.read(every_octet.size()), every_octet);
}

TEST_F(Port, OctetsFromTheFarEndAreReadAsTheyWere) {
    open();
    port.set_timeouts();
    Octets every_octet;
    for (unsigned octet = 0; octet < 256; ++octet) every_octet.push_back(static_cast<uint8_t>(255 - octet));
    pty.write(every_octet);
    EXPECT_EQ(read_through_port(every_octet.size()), every_octet);
}

TEST_F(Port, AReadWithNothingThereIsLeftPendingAndCompletesLater) {
    open();
    port.set_timeouts();
    Octets buffer(16, 0);
    size_t count = 2;
    Pending_Read pending;
    Read_Times times;
    ASSERT_EQ(port.read(buffer, count, pending, times), Serial_Port_Imp::kReadPending);
    EXPECT_EQ(count, 2u);
    EXPECT_TRUE(pending.pending);
    EXPECT_EQ(port.complete_pending_read(pending, count), 0);

    pty.write({0x7E, 0x05});
    ASSERT_TRUE(arrived());
    EXPECT_EQ(port.complete_pending_read(pending, count), 1);
    EXPECT_FALSE(pending.pending);
    EXPECT_GE(count, 3u);
    EXPECT_EQ(buffer[2], 0x7E);
    // Nothing pending any more.
    EXPECT_EQ(port.complete_pending_read(pending, count), 0);
}

TEST_F(Port, AFullBufferEndsTheReadWithoutPending) {
    open();
    pty.write(Octets(8, 0x30));
    ASSERT_TRUE(arrived());
    Octets buffer(4);
    size_t count = 0;
    Pending_Read pending;
    Read_Times times;
    EXPECT_EQ(port.read(buffer, count, pending, times), 0u);
    EXPECT_EQ(count, 4u);
    EXPECT_FALSE(pending.pending);
}

TEST_F(Port, AClosedPortReadsNothingAndCompletesNothing) {
    Octets buffer(8);
    size_t count = 1;
    Pending_Read pending{std::span<uint8_t>(buffer), true};
    Read_Times times;
    EXPECT_EQ(port.read(buffer, count, pending, times), 0u);
    EXPECT_EQ(port.complete_pending_read(pending, count), 0);
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(times.start.empty());
    EXPECT_EQ(thrown_text<ReadingPortException>([&] { port.wait_and_read(buffer, count, times); }),
              sp_error::kErrorReading);
}

TEST_F(Port, WaitAndReadTakesWhatArrives) {
    open();
    port.set_timeouts();
    const Octets sent{0x7E, 0x05, 0x13, 0xC1, 0x30, 0x7E};
    pty.write(sent);
    Octets buffer(64);
    size_t count = 0;
    Read_Times times;
    while (count < sent.size()) port.wait_and_read(buffer, count, times);
    buffer.resize(count);
    EXPECT_EQ(buffer, sent);
    EXPECT_FALSE(times.end.empty());
}

TEST_F(Port, AWriteTheLineCannotTakeWithinItsBudgetFails) {
    open();
    fill_line();
    // 10 octets: a budget of 100 ms, one step; 100 octets: ten steps.
    for (size_t length : {10u, 100u})
        EXPECT_EQ(thrown_text<PendingWriteException>([&] { port.write(Octets(length, 0x30)); }),
                  sp_error::kPendingWrite);
    // The far end reads again, and the line takes writes again.
    while (!pty.read_available().empty()) {
    }
    port.write(Octets{0x7E, 0x7E});
}

TEST_F(Port, WritesThatCannotStartAreRefused) {
    EXPECT_EQ(thrown_text<WritingPortException>([&] { port.write(Octets{0x7E}); }), sp_error::kErrorWriting);
    open();
    pty.hang_up();
    EXPECT_EQ(thrown_text<WritingPortException>([&] { port.write(Octets{0x7E}); }), sp_error::kErrorWriting);
}

}  // namespace
