// The modem as the receiver thread and the sender see it: a line that is
// read and written like the serial port while a call is connected, and
// carries PPP; and the calls on it, which a field device waits for.
#pragma once

#include "base/throwable.h"
#include "transport/call_line.h"
#include "transport/line_port.h"
#include "transport/modem_ovr.h"

class Modem_Line final : public Line_Port {
public:
    explicit Modem_Line(Modem_Ovr& modem) : modem_(modem) {}

    int handle() const override { return modem_.handle(); }
    Read_Outcome read(std::span<uint8_t> buffer, size_t& count) override {
        Pending_Read pending;
        Read_Times times;
        const size_t before = count;
        try {
            modem_.read(buffer, count, pending, times);
        } catch (const Throwable&) {
            count = before;
            return Read_Outcome::closed;
        }
        // What came with the end of a call is the modem's "NO CARRIER", not
        // the far end's data.
        if (!modem_.connected()) count = before;
        // Nothing read (a dial or a hang-up holds the modem): the thread
        // waits a pass rather than spin on the readable port.
        return count == before ? Read_Outcome::closed : Read_Outcome::octets;
    }
    bool write(std::span<const uint8_t> octets) override {
        try {
            modem_.write(octets);
            return true;
        } catch (const Throwable&) {
            return false;
        }
    }
    void close() override { modem_.close(); }
    Link_Type link() const override { return Link_Type::ppp; }

private:
    Modem_Ovr& modem_;
};

class Modem_Calls final : public Call_Line {
public:
    explicit Modem_Calls(Modem_Ovr& modem) : modem_(modem) {}

    bool in_call() const override { return modem_.connected(); }
    // A RING already waiting is answered; the thread's own wait paces the
    // passes in between.
    bool answer_call() override { return modem_.answer(std::chrono::milliseconds(0)); }
    void cancel_wait() override { modem_.cancel(); }

private:
    Modem_Ovr& modem_;
};
