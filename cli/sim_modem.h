// One simulated Hayes modem: the AT command interpreter a terminal (the
// station's serial port) talks to, its command and online modes, and the
// "+++" escape with its guard times. What crosses the telephone line goes
// through the exchange the modem is plugged into.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/sim_result_code.h"

class Sim_Modem;
using Sim_Clock = std::chrono::steady_clock;

// What a modem asks of its telephone line.
class Telephone_Line {
public:
    virtual ~Telephone_Line() = default;
    virtual bool dial_tone(const Sim_Modem& modem) const = 0;
    // Places a call to the digits dialled; the exchange reports back through
    // the modem's call_* operations.
    virtual void call(Sim_Modem& caller, const std::string& digits) = 0;
    virtual void answer(Sim_Modem& callee) = 0;
    // The modem went on hook: the call it takes part in ends.
    virtual void hang_up(Sim_Modem& modem) = 0;
    virtual void send(Sim_Modem& from, std::span<const uint8_t> octets) = 0;
};

// The modem's behaviour that the command line of the simulator sets.
struct Sim_Modem_Profile {
    uint8_t auto_answer_rings = 0;  // S0: 0 waits for ATA
    std::chrono::milliseconds dial_time{1000};
    unsigned connect_rate = 9600;  // shown after CONNECT
    // Dial modifiers the modem refuses (ERROR), as modems without dial-tone
    // or quiet-answer detection do.
    std::string cannot_dial;
};

class Sim_Modem {
public:
    enum class State {
        on_hook,         // command mode, no call
        ringing,         // a call is offered; command mode
        dialing,         // off hook, the digits go out
        dial_paused,     // off hook after "ATD...;", command mode
        calling,         // waiting for the far end to answer
        answering,       // answered, the modems train
        online,          // data passes
        online_command,  // a call is up, the terminal is in command mode after "+++"
    };

    Sim_Modem(std::string number, Telephone_Line& line, Sim_Modem_Profile profile);

    const std::string& number() const { return number_; }
    State state() const { return state_; }
    // On hook and not ringing: a call to this modem can ring it.
    bool can_be_called() const { return state_ == State::on_hook; }

    // From the terminal.
    void from_terminal(std::span<const uint8_t> octets, Sim_Clock::time_point now);
    // The terminal closed its port: DTR dropped.
    void terminal_gone();
    void tick(Sim_Clock::time_point now);

    // From the exchange.
    void ring();
    void ringing_stopped();
    void call_connected();
    void call_failed(Result_Code code);
    void carrier_lost();
    void from_line(std::span<const uint8_t> octets);

    // What the modem has for the terminal since the last call.
    std::vector<uint8_t> take_output();

private:
    void command_octet(uint8_t octet, Sim_Clock::time_point now);
    void online_octet(uint8_t octet, Sim_Clock::time_point now);
    void execute(const std::string& line, Sim_Clock::time_point now);
    // Runs the commands after "AT"; false at the first it refuses. A command
    // that answers later (D, A, O) clears `answer_now`.
    bool run_commands(const std::string& commands, Sim_Clock::time_point now, bool& answer_now);
    bool dial(const std::string& dial_string, Sim_Clock::time_point now);
    // "+++" followed by a guard time of silence: to command mode.
    void check_escape(Sim_Clock::time_point now);
    void go_on_hook();
    void reset_profile();
    void show(Result_Code code);
    void show_text(const std::string& text);

    std::string number_;
    Telephone_Line& line_;
    Sim_Modem_Profile profile_;
    State state_ = State::on_hook;
    std::array<uint8_t, 256> registers_{};
    bool echo_ = true;
    bool verbose_ = true;
    bool quiet_ = false;
    int dtr_mode_ = 2;  // &D
    std::string command_;
    bool command_overflowed_ = false;
    std::string digits_;        // dialled since going off hook
    bool back_to_command_ = false;  // the dial string ended in ';'
    bool check_dial_tone_ = false;
    Sim_Clock::time_point dial_done_;
    // The escape: '+' octets counted with the time of the octet before them.
    int pluses_ = 0;
    Sim_Clock::time_point last_online_octet_;
    Sim_Clock::time_point now_;  // of the latest tick or terminal input
    std::vector<uint8_t> output_;
};
