// The station's modem: a Hayes AT-command modem on a serial port. As a
// central station it dials the configured number; as a field device it
// waits for a call and answers it. Once a call is connected the port is read
// and written like the serial port, and PPP runs over it.
//
// Dialling, answering and hanging up run on the thread that asks for them;
// the receiver thread reads only while a call is connected. One lock orders
// them: a hang-up waits for a read in progress, and a read that comes during
// a dial, an answer or a hang-up reads nothing (it must not take the modem's
// answers for data, nor stall while a prompt waits). Every failure is shown
// through the notice callback and ends as not connected; the callback also
// shows the "Dialing Paused" prompts and returns when the user goes on.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "transport/modem_notice.h"
#include "transport/modem_response.h"
#include "transport/posix_sp_ovr.h"

struct Modem_Settings {
    // Sent before a dial and before waiting for calls. Verbose results are
    // needed: the "NO CARRIER" line is how a lost carrier shows on a line
    // without DCD.
    std::string init_string = "ATE0V1Q0&D2";
    // The dial modifiers (of "$", "W", "w", "@") the modem carries out
    // itself; the station pauses at the others, and always at "?".
    std::string dials_itself = "Ww@";
    // A wait for a result lasts one step; a call gets this many to connect.
    std::chrono::milliseconds wait_step{3000};
    int connect_waits = 30;
    int answer_waits = 10;
    // The silence before and after "+++" (longer than the modem's S12).
    std::chrono::milliseconds guard_time{1100};
};

class Modem_Ovr {
public:
    using Notify = std::function<void(const std::string& title, const std::string& text)>;

    Modem_Ovr(Modem_Settings settings, Notify notify,
              std::chrono::milliseconds settle_before_open = Posix_SP_Ovr::kSettleBeforeOpen);
    ~Modem_Ovr();
    Modem_Ovr(const Modem_Ovr&) = delete;
    Modem_Ovr& operator=(const Modem_Ovr&) = delete;

    // The modem's serial port, opened when a dial or an answer needs it.
    void set_port(const std::string& name, uint16_t baud_rate);
    void set_number(const std::string& number);
    // The settings for the next dial, answer or hang-up.
    void set_settings(const Modem_Settings& settings);
    Modem_Settings settings() const;
    std::string number() const;

    // Dials the number; true once the call is connected.
    bool dial();
    // Field role: waits at most `for_ring` for a call, answers it and waits
    // for the connection; true once connected (at once when already).
    bool answer(std::chrono::milliseconds for_ring);
    // Ends the call: the escape to command mode and ATH, or DTR dropped
    // when the modem does not obey.
    void hang_up();
    bool connected() const { return connected_.load(std::memory_order_acquire); }
    // From another thread: ends the dial or the wait for a call in progress
    // at once, as not connected and without a message (the one who cancels
    // knows why). A dial or answer that starts later is not affected.
    void cancel();

    // The port's descriptor while a call is connected, -1 otherwise.
    int handle() const;
    // As the serial port's, on a connected call; nothing otherwise. Data
    // that came with the CONNECT line comes first. A lost carrier (DCD
    // dropped, or the modem's "NO CARRIER") hangs up.
    uint32_t read(std::span<uint8_t> buffer, size_t& count, Pending_Read& pending, Read_Times& times);
    int complete_pending_read(Pending_Read& pending, size_t& count);
    // Throws WritingPortException when no call is connected: what the
    // station writes must not reach the modem's command interpreter.
    void write(std::span<const uint8_t> octets);
    void close();

private:
    using Clock = std::chrono::steady_clock;

    void start_attempt();
    bool open_port();
    bool initialise();
    bool command(const std::string& text, std::chrono::milliseconds patience);
    void send(const std::string& text);
    // The next result code within the patience; `other` when none came.
    Modem_Response await_result(std::chrono::milliseconds patience);
    // Waits the rounds of one step each for a final result.
    Modem_Response await_final(int rounds);
    bool dial_locked();
    bool prepare_for_calls();
    bool connect_call();
    void hang_up_locked();
    void drop_dtr();
    void fail(Modem_Notice notice, const std::string& detail = {});
    void notice_for(Modem_Response response);
    // Whether the octets just read, or the DCD line, tell of a lost carrier.
    void watch_carrier(std::span<const uint8_t> octets);
    bool dcd_low() const;

    Modem_Settings settings_;
    Notify notify_;
    Posix_SP_Ovr port_;
    std::string port_name_ = Posix_Serial_Port::kDefaultName;
    uint16_t baud_rate_ = 9600;
    std::string number_;
    mutable std::mutex mutex_;
    std::atomic<bool> connected_{false};
    std::atomic<bool> cancelled_{false};
    int cancel_fd_ = -1;  // wakes a wait for the modem
    bool answer_ready_ = false;    // initialised to wait for calls
    // A field device retries the preparation for calls on every pass; its
    // failure is shown once, until a preparation succeeds.
    bool answer_trouble_shown_ = false;
    bool silent_ = false;
    bool call_pending_ = false;    // ATD or ATA sent, no final result yet
    bool dcd_watched_ = false;     // DCD was up when the call connected
    Modem_Line_Reader lines_;
    Carrier_Loss_Watch carrier_watch_;
    std::vector<uint8_t> early_data_;  // came with the CONNECT line
};
