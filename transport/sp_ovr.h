// The engine's serial port: builds and owns the port it drives and hands the
// transport's operations to it.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "transport/posix_sp_ovr.h"

class SP_Ovr {
public:
    explicit SP_Ovr(std::chrono::milliseconds settle_before_open = Posix_SP_Ovr::kSettleBeforeOpen)
        : port_(std::make_unique<Posix_SP_Ovr>(settle_before_open)) {}

    void open(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity, uint16_t stop_bits) {
        port_->open(name, baud_rate, data_bits, parity, stop_bits);
    }
    void close() { port_->close(); }
    void reset(const std::string& name, uint16_t baud_rate, uint16_t data_bits, char parity, uint16_t stop_bits) {
        port_->reset(name, baud_rate, data_bits, parity, stop_bits);
    }
    void set_timeouts() { port_->set_timeouts(); }
    void write(std::span<const uint8_t> octets) { port_->write(octets); }
    uint32_t read(std::span<uint8_t> buffer, size_t& count, Pending_Read& pending, Read_Times& times) {
        return port_->read(buffer, count, pending, times);
    }
    int complete_pending_read(Pending_Read& pending, size_t& count) {
        return port_->complete_pending_read(pending, count);
    }
    void wait_and_read(std::span<uint8_t> buffer, size_t& count, Read_Times& times) {
        port_->wait_and_read(buffer, count, times);
    }
    void set_dtr(bool on) { port_->set_dtr(on); }
    void set_rts(bool on) { port_->set_rts(on); }

    int last_read_failure() const { return port_->last_read_failure(); }
    const std::string& open_failure() const { return port_->open_failure(); }

    // The descriptor of the open device, -1 when closed.
    int handle() const { return port_->handle(); }
    const std::string& name() const { return port_->name(); }

private:
    std::unique_ptr<Posix_SP_Ovr> port_;
};
