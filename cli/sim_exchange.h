// The simulated telephone exchange the simulated modems are plugged into:
// a directory of numbers (modems, numbers that are always busy, numbers that
// ring and never answer), the calls between them with their ringing, and the
// carrier that a test may drop in the middle of a call.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/sim_modem.h"

struct Sim_Exchange_Settings {
    std::chrono::milliseconds ring_interval{6000};
    int rings_before_no_answer = 8;
    std::chrono::milliseconds connect_time{500};  // the modems' training after an answer
};

class Sim_Exchange : public Telephone_Line {
public:
    enum class Number_Kind { busy, no_answer };
    // Receives one line about each event on the exchange.
    using Trace = std::function<void(const std::string&)>;

    Sim_Exchange(Sim_Exchange_Settings settings, Trace trace);

    // The digits a number is dialled by: separators dropped.
    static std::string digits_of(const std::string& number);

    Sim_Modem& add_modem(const std::string& number, Sim_Modem_Profile profile);
    void add_number(const std::string& number, Number_Kind kind);
    // False when no modem has the number.
    bool set_dial_tone(const std::string& number, bool present);
    // Drops the carrier of the call the modem with that number takes part
    // in: both ends see it. False when it has no call.
    bool drop(const std::string& number);
    std::vector<Sim_Modem*> modems() const;

    void tick(Sim_Clock::time_point now);

    bool dial_tone(const Sim_Modem& modem) const override;
    void call(Sim_Modem& caller, const std::string& digits) override;
    void answer(Sim_Modem& callee) override;
    void hang_up(Sim_Modem& modem) override;
    void send(Sim_Modem& from, std::span<const uint8_t> octets) override;

private:
    struct Line {
        std::unique_ptr<Sim_Modem> modem;
        bool dial_tone = true;
    };
    struct Call {
        Sim_Modem* caller = nullptr;
        Sim_Modem* callee = nullptr;  // none for a number that never answers
        std::string digits;
        int rings = 0;
        Sim_Clock::time_point next_ring;
        bool answered = false;
        Sim_Clock::time_point connect_at;
        bool up = false;
    };

    Line* line_of(const std::string& digits);
    const Line* line_of(const Sim_Modem& modem) const;
    std::vector<Call>::iterator call_of(const Sim_Modem& modem);

    Sim_Exchange_Settings settings_;
    Trace trace_;
    std::vector<Line> lines_;
    std::map<std::string, Number_Kind> numbers_;  // by digits
    std::vector<Call> calls_;
    Sim_Clock::time_point now_ = Sim_Clock::now();
};
