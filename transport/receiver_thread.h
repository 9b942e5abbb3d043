// The receiver thread: reads the line (serial port, socket or modem), hands the octets to the receiver,
// times requests out and reports the connection status. It waits with
// poll() on a wake-up descriptor (stop and pause), the port and the link
// event, at most 100 ms, so octets are handled as they arrive and nothing
// spins while the line is quiet.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "base/throwable.h"
#include "transport/line_watch.h"
#include "transport/ta_receiver.h"

class Call_Line;
class Line_Port;

// What the thread needs of the station's settings, handed over as values
// whenever they change.
struct Receiver_Settings {
    Connection_Type connection_type = Connection_Type::serial;
    std::string port_name;
    Role role = Role::central;
    uint16_t time_out_seconds = 10;
    // The framing of a serial line: PMPP, or PPP when a test runs PPP over
    // a line that is already connected.
    Link_Type serial_link = Link_Type::pmpp;

    bool operator==(const Receiver_Settings&) const = default;
};

// Whether a dial-up connection is made; a serial line is connected once the
// thread runs.
enum class Connection_State : int32_t {
    connected = 1,
    not_connected = 2,
};

// The connection status the thread reports every few passes.
struct Line_Status {
    Connection_Type connection_type = Connection_Type::serial;
    Connection_State connection_state = Connection_State::not_connected;
    int32_t link_state = 0;  // the PPP automaton's state and phase
    int32_t link_phase = 0;
    std::string port_text;  // the port name, or "Modem"
    int32_t seconds_remaining = 0;
};
using Status_Report = std::function<void(const Line_Status& status)>;

// The thread could not be started or given what it waits on.
class Thread_Exception : public FatalException {
public:
    using FatalException::FatalException;
};
class ThreadCreationException : public Thread_Exception {
public:
    using Thread_Exception::Thread_Exception;
};
class ThreadEventException : public Thread_Exception {
public:
    using Thread_Exception::Thread_Exception;
};

namespace receiver_thread_text {
inline constexpr const char* kThreadCreation = "Thread creation exception thrown!";
inline constexpr const char* kEventCreation = "Error creating read event";
inline constexpr const char* kCommEventCreation = "Error creating comm event";
inline constexpr const char* kWaitFailed = "Error waiting for the line, continuing to listen";
inline constexpr const char* kPassFailed = "Exception in the receiver thread, continuing to listen";
inline constexpr const char* kZeroBytes = "Receiving data, but 0 bytes available";
inline constexpr const char* kBufferOverrun = "Invalid # of bytes read, internal error in receiver, \nBytes read =";
inline constexpr const char* kUnknownDevice = "Unknown device type, assuming modem device";
inline constexpr const char* kModemPortText = "Modem";
inline constexpr const char* kCallConnected = "Modem call connected";
inline constexpr const char* kCallEnded = "Modem call ended";
inline constexpr const char* kLineLost = "Line lost on ";
inline constexpr const char* kLineLostThen = ": closing the port, and opening it again until the line is back";
inline constexpr const char* kLineBack = "Line back on ";
inline constexpr const char* kLineBackThen = ", listening again";
}  // namespace receiver_thread_text

class BCCThread_TA_Receiver {
public:
    static constexpr size_t kReceiveBuffer = 550;
    static constexpr size_t kLongestDatagram = 65535;
    static constexpr int kWaitMilliseconds = 100;
    static constexpr int kStatusEvery = 10;  // passes between status reports

    BCCThread_TA_Receiver(TA_Receiver& receiver, std::atomic<Connection_State>& connection_state);
    ~BCCThread_TA_Receiver();
    BCCThread_TA_Receiver(const BCCThread_TA_Receiver&) = delete;
    BCCThread_TA_Receiver& operator=(const BCCThread_TA_Receiver&) = delete;

    // The settings the thread works with from its next pass; the role and
    // the connection type are taken when it starts.
    void set_settings(const Receiver_Settings& settings);
    Receiver_Settings settings() const;

    // Starts the thread; ThreadCreationException when it cannot be had.
    // Either function may be empty.
    void start(Display display, Status_Report status, Line_Port& line);
    // Ends the thread after its current pass and waits for it.
    void stop();
    bool running() const { return thread_.joinable(); }
    std::thread::native_handle_type handle() { return thread_.native_handle(); }

    // Holds the thread between passes (while its port is changed), and lets it go on.
    void suspend();
    void resume();

    void link_event();

    // The calls of a modem line (the thread's connection type modem).
    void set_call_line(Call_Line* calls) { calls_ = calls; }

private:
    void run();
    void wait_while_suspended();
    void report_status(int remaining);
    void display(const std::string& text) const;
    // A modem line's turn: a field device answers a call that rings; a call
    // that ended or came up (also one that replaced another between two
    // passes) changes the connection state and the PPP link. True when it
    // changed.
    bool modem_pass(Receive_Context& context);
    // A serial line that hung up is closed, the requests waiting on it end,
    // and it is opened again with back-off; false when the line is not one
    // the thread reopens.
    bool line_hung_up();
    void retry_line();

    TA_Receiver& receiver_;
    std::atomic<Connection_State>& connection_state_;
    Line_Port* port_ = nullptr;
    Call_Line* calls_ = nullptr;
    uint64_t call_seen_ = 0;  // the call up when the thread last looked; 0: none

    mutable std::mutex settings_mutex_;
    Receiver_Settings settings_;  // guarded by settings_mutex_

    Display display_;
    Status_Report status_;

    int wake_fd_ = -1;  // stop and suspend requests
    int link_fd_ = -1;  // the link event
    std::atomic<bool> stop_requested_{false};

    std::mutex suspend_mutex_;
    std::condition_variable suspend_changed_;
    bool suspend_requested_ = false;  // guarded by suspend_mutex_
    bool suspended_ = false;          // guarded by suspend_mutex_

    Line_Watch line_watch_;  // the thread's own

    std::thread thread_;
};
