// The serial port as a line: PMPP frames on a tty or pseudo-terminal. A read
// that finds the device readable but empty, or failing, means the other side
// has gone; the line is then closed and opened again by name until it is
// back (a pseudo-terminal's other end returns, carrier comes back, an
// adapter is plugged in again).
#pragma once

#include <cstdint>
#include <string>

#include "transport/line_port.h"
#include "transport/sp_ovr.h"

class Serial_Line final : public Line_Port {
public:
    // The port is open with the name and baud, 8N1.
    Serial_Line(SP_Ovr& port, std::string name, uint16_t baud) : port_(port), name_(std::move(name)), baud_(baud) {}

    int handle() const override { return port_.handle(); }
    Read_Outcome read(std::span<uint8_t> buffer, size_t& count) override;
    bool write(std::span<const uint8_t> octets) override;
    void close() override { port_.close(); }
    Link_Type link() const override { return Link_Type::pmpp; }
    std::string hang_up() override;
    bool reopen() override;

private:
    // A read that brought nothing: whether the device has hung up.
    bool hung_up() const;

    SP_Ovr& port_;
    std::string name_;
    uint16_t baud_;
};
