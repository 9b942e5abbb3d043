// The serial port as a line: PMPP frames on a tty or pseudo-terminal. A read
// that finds the device readable but empty means the other side has gone.
#pragma once

#include "base/throwable.h"
#include "transport/line_port.h"
#include "transport/sp_ovr.h"

class Serial_Line final : public Line_Port {
public:
    explicit Serial_Line(SP_Ovr& port) : port_(port) {}

    int handle() const override { return port_.handle(); }
    Read_Outcome read(std::span<uint8_t> buffer, size_t& count) override {
        Pending_Read pending;
        Read_Times times;
        const size_t before = count;
        port_.read(buffer, count, pending, times);
        return count == before ? Read_Outcome::closed : Read_Outcome::octets;
    }
    bool write(std::span<const uint8_t> octets) override {
        try {
            port_.write(octets);
            return true;
        } catch (const Throwable&) {
            return false;
        }
    }
    void close() override { port_.close(); }
    Link_Type link() const override { return Link_Type::pmpp; }

private:
    SP_Ovr& port_;
};
