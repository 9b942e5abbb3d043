// The serial port the station drives: a terminal device opened exclusively
// and non-blocking, read and written with poll() and bounded waits.
//
// Reads (the receiver thread) and writes (the sending thread) may run at the
// same time. Open, close, reset and the settings are made by the port's owner
// while neither runs.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "transport/posix_serial_port.h"

class Posix_SP_Ovr : public Posix_Serial_Port {
public:
    // The pause before the device is opened, which lets a device just closed
    // (and a modem that saw DTR drop) settle.
    static constexpr std::chrono::milliseconds kSettleBeforeOpen{500};
    // A write's time budget: this much per octet, spent in steps.
    static constexpr std::chrono::milliseconds kWriteBudgetPerOctet{10};
    static constexpr std::chrono::milliseconds kWriteStep{100};
    static constexpr int kEndOfInput = -1;  // last_read_failure() of a tty that hung up

    explicit Posix_SP_Ovr(std::chrono::milliseconds settle_before_open = kSettleBeforeOpen);
    ~Posix_SP_Ovr() override;

    // Opens the existing terminal device for reading and writing, exclusively
    // and non-blocking, and applies the line settings: CommOpenException when
    // the port is open, OpeningPortException (the port stays closed) when the
    // device cannot be had, the setting exceptions (the port stays open) for
    // refused values.
    void open(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity,
              uint16_t stop_bits) override;
    void close() override;
    uint32_t read(std::span<uint8_t> buffer, size_t& count, Pending_Read& pending, Read_Times& times) override;
    // The budget is 10 ms per octet; the write waits for room in steps of
    // 100 ms and throws PendingWriteException once the steps reach it.
    void write(std::span<const uint8_t> octets) override;
    void reset(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity,
               uint16_t stop_bits) override;
    // Reads return at once with what is buffered, or wait at most 10 ms for
    // the first octet.
    void set_timeouts() override;

    // How the last read ended: 0 normally (octets, or none waiting),
    // kEndOfInput at the end of input (a tty that hung up), else the errno of a failed read
    // (EIO: a pseudo-terminal whose other end closed).
    int last_read_failure() const { return last_read_failure_; }
    // Why the last open failed, in the station's words (empty when it opened).
    const std::string& open_failure() const { return open_failure_; }

    // Without waiting: whether the pending read has octets now. 1 when it
    // finished (count grows by what it read), 0 otherwise.
    int complete_pending_read(Pending_Read& pending, size_t& count);
    // Waits, without limit, until octets arrive (or the line hangs up), then
    // reads them one at a time into buffer from position count on.
    void wait_and_read(std::span<uint8_t> buffer, size_t& count, Read_Times& times);

private:
    // Reads single octets until a read brings none.
    void read_octet_by_octet(int descriptor, std::span<uint8_t> buffer, size_t& count) const;

    std::chrono::milliseconds settle_before_open_;
    int last_read_failure_ = 0;  // the reading thread's own
    std::string open_failure_;
};

namespace port_refusal {
inline constexpr const char* kInUse = "it is in use by another station or program";
inline constexpr const char* kNotATerminal = "it is not a terminal device";
}  // namespace port_refusal
